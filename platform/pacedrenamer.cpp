#include "pacedrenamer.h"

#include <QApplication>
#include <QProgressDialog>

#include <algorithm>
#include <utility>

namespace quillet {

namespace {

// Often enough that the window repaints smoothly and a click on Stop is
// answered at once; rarely enough that a batch of many quick renames is
// hardly slower for it.
constexpr std::chrono::milliseconds kEventInterval{20};
// Shorter work shows no progress: it would only flash.
constexpr std::chrono::milliseconds kProgressDelay{500};
// A long file name is shortened in its middle to fit the progress window.
constexpr int kNameWidth = 320;

bool isInput(const QEvent &event)
{
    switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
        return true;
    default:
        return false;
    }
}

} // namespace

PacedRenamer::PacedRenamer(QWidget *window, RenameService &renamer, const std::string &folderPath,
                           int count, QString progressText)
    : m_window(window), m_renamer(renamer), m_folderPrefix(folderPath.size() + 1), m_count(count),
      m_progressText(std::move(progressText))
{
    QCoreApplication::instance()->installEventFilter(this);
}

PacedRenamer::~PacedRenamer()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

void PacedRenamer::NameFile(const std::string &oldPath, const std::string &newPath)
{
    letEventsRun(oldPath);
    if (m_stopRequested)
        throw RenamingStopped();
    m_renamer.NameFile(oldPath, newPath);
    ++m_done;
}

void PacedRenamer::letEventsRun(const std::string &oldPath)
{
    const Clock::time_point now = Clock::now();
    if (now - m_eventsLastRun < kEventInterval)
        return;
    if (now - m_started >= kProgressDelay)
        showProgress(oldPath);
    QCoreApplication::processEvents();
    m_eventsLastRun = Clock::now();
}

void PacedRenamer::showProgress(const std::string &oldPath)
{
    if (!m_progress) {
        m_progress = std::make_unique<QProgressDialog>(QString(), tr("Stop"), 0, m_count, m_window);
        m_progress->setWindowTitle(QApplication::applicationDisplayName());
        m_progress->setWindowModality(Qt::ApplicationModal);
        m_progress->setAutoReset(false);
        m_progress->setAutoClose(false);
        m_progress->setMinimumDuration(0);
        connect(m_progress.get(), &QProgressDialog::canceled, this,
                [this] { m_stopRequested = true; });
        m_arrow.emplace(Qt::ArrowCursor);
        m_progress->show();
    }
    const std::string name = oldPath.substr(std::min(m_folderPrefix, oldPath.size()));
    const QString shownName = m_progress->fontMetrics().elidedText(
        QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())), Qt::ElideMiddle,
        kNameWidth);
    m_progress->setLabelText(m_progressText.arg(m_done + 1).arg(m_count).arg(shownName));
    m_progress->setValue(m_done);
}

bool PacedRenamer::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && event->type() == QEvent::Close) {
        m_stopRequested = true;
        m_closeRequested = true;
        return true;
    }
    const auto *widget = qobject_cast<QWidget *>(watched);
    return widget != nullptr && widget->window() == m_window && isInput(*event);
}

} // namespace quillet
