#include "progresswindow.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace quillet {

namespace {

// Shorter work shows no progress: it would only flash.
constexpr std::chrono::milliseconds kShowAfter{500};
// A rename that takes longer than this is told as waiting for the file system.
constexpr std::chrono::seconds kSlowAfter{1};
// A long file name is shortened in its middle to fit.
constexpr int kNameWidth = 320;

} // namespace

ProgressWindow::ProgressWindow(QWidget *window, RenamingJob &job, RenamingProgress::Kind kind,
                               int total)
    : QDialog(window), m_job(job), m_progress{kind, 0, total, false, false},
      m_label(new QLabel(this)), m_bar(new QProgressBar(this)),
      m_stop(new QPushButton(StopButtonText(), this))
{
    setWindowTitle(QApplication::applicationDisplayName());
    m_label->setMinimumWidth(kNameWidth + 40);
    m_bar->setRange(0, total);
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(m_stop, QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &ProgressWindow::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_label);
    layout->addWidget(m_bar);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(&job, &RenamingJob::progressed, this, &ProgressWindow::refresh);
    QTimer::singleShot(kShowAfter, this, &QWidget::show);
}

ProgressWindow::~ProgressWindow() = default;

// The job tells at once that it is stopping.
void ProgressWindow::reject()
{
    m_job.Stop();
}

void ProgressWindow::refresh(const RenamingJob::Progress &progress)
{
    m_progress.index = progress.index;
    m_progress.slow = RenamingJob::Clock::now() - progress.since >= kSlowAfter;
    m_progress.stopping = progress.stopping;
    const QString shownName = fontMetrics().elidedText(
        QString::fromUtf8(progress.name.data(), static_cast<qsizetype>(progress.name.size())),
        Qt::ElideMiddle, kNameWidth);
    m_label->setText(ProgressText(m_progress, shownName));
    m_bar->setValue(progress.index);
    m_stop->setEnabled(!m_progress.stopping);
}

} // namespace quillet
