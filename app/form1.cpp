#include "form1.h"

#include "eventhandler.h"
#include "messages.h"
#include "namefile.h"
#include "pacedrenamer.h"
#include "renameerror.h"
#include "ui_form1.h"

#include <QAccessibleWidget>
#include <QAction>
#include <QKeyEvent>
#include <QScopeGuard>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace quillet {

namespace {

// Screen readers present Form1 as an application window, not as the plain
// panel that Qt makes of a bare QWidget.
QAccessibleInterface *windowInterface(const QString &className, QObject *object)
{
    if (className != QLatin1StringView(Form1::staticMetaObject.className()))
        return nullptr;
    return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
}

// A listed file that is missing because an earlier batch renamed it (one of
// the first \a renamedEarlier of the file list) is told as such, not as a
// file that vanished: throws the batch's stop again with that reason.
// Returns when the batch stopped for another reason.
void retellIfRenamedEarlier(const BatchStopped &stop, int renamedEarlier)
{
    try {
        std::rethrow_if_nested(stop);
    } catch (const RenameError &error) {
        if (error.failure() != RenameFailure::SourceMissing ||
            stop.renamedCount() >= renamedEarlier)
            return;
        try {
            throw RenameError(RenameFailure::RenamedEarlier, error.oldName(), error.newName());
        } catch (const RenameError &) {
            std::throw_with_nested(BatchStopped(stop.renamedCount(), stop.untouchedCount()));
        }
    } catch (...) {
    }
}

} // namespace

Form1::Form1(QWidget *parent)
    : Form1([](const HeldFolder &folder) { return std::make_unique<FileRenamer>(folder); }, parent)
{
}

Form1::Form1(RenamerMaker makeRenamer, QWidget *parent)
    : QWidget(parent), m_makeRenamer(std::move(makeRenamer)), m_ui(std::make_unique<Ui::Form1>())
{
    [[maybe_unused]] static const bool windowRoleInstalled =
        (QAccessible::installFactory(windowInterface), true);
    m_ui->setupUi(this);
    // A fixed-size window: it offers no maximize button.
    setFixedSize(size());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    // The window opens with the focus on the first control in tab order.
    m_ui->Command1->setFocus();

    if (const auto &failure = m_ui->Dir1->StartFailure())
        showStartFolderInstead(*failure);

    ConnectHandler(m_ui->Drive1, &DriveListBox::Change, this, &Form1::OnDriveChange);
    ConnectHandler(m_ui->Dir1, &DirListBox::Change, this, &Form1::OnFolderChange);
    ConnectHandler(m_ui->txtPattern, &TextBox::Change, this, &Form1::OnPatternChange);
    connect(m_ui->Command1, &CommandButton::Click, this,
            [this] { runRenaming(&Form1::OnRemoveSpacesClick); });

    // Ctrl+Z anywhere in the window, and the result list's context menu.
    m_undo = new QAction(tr("&Undo renaming"), this);
    m_undo->setShortcut(QKeySequence::Undo);
    m_undo->setEnabled(false);
    addAction(m_undo);
    m_ui->List1->addAction(m_undo);
    m_ui->List1->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(m_undo, &QAction::triggered, this, [this] { runRenaming(&Form1::OnUndo); });
    m_ui->txtPattern->installEventFilter(this);
}

Form1::~Form1() = default;

// The pattern box would take Ctrl+Z for its own text, and the changed pattern
// would then drop the renaming it was meant to undo: while there is one to
// undo, the key is the window's.
bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_ui->txtPattern && event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent *>(event)->matches(QKeySequence::Undo) && m_undo->isEnabled())
        return true;
    return QWidget::eventFilter(watched, event);
}

// Started where the folder cannot be read, the folder list shows the root
// instead: the file list follows it, and once the window is up the user
// learns why.
void Form1::showStartFolderInstead(const FolderError &failure)
{
    const std::string shown = m_ui->Dir1->Path();
    QString message = UserMessage(failure) + QStringLiteral("\n\n") +
                      tr("The folder \"%1\" is shown instead.").arg(QString::fromStdString(shown));
    try {
        m_ui->File1->SetPath(shown);
    } catch (const FolderError &rootFailure) {
        message += QStringLiteral("\n\n") + UserMessage(rootFailure);
    }
    QTimer::singleShot(0, this, [this, message] { ReportError(this, message); });
}

// The batch renames the listed files in order and lists each new name: the
// first names of the file list are the ones renamed. A file renamed onto
// itself needs no undo.
void Form1::rememberRenamed()
{
    const int count = m_ui->List1->ListCount();
    m_lastBatch.clear();
    m_lastBatch.reserve(static_cast<std::size_t>(count));
    m_renamedSinceRead = std::max(m_renamedSinceRead, count);
    for (int index = 0; index < count; ++index) {
        Renamed file{m_ui->File1->List(index), m_ui->List1->List(index)};
        if (file.oldName != file.newName)
            m_lastBatch.push_back(std::move(file));
    }
    m_undo->setEnabled(!m_lastBatch.empty());
}

void Form1::forgetRenamed()
{
    m_renamedSinceRead = 0;
    dropUndo();
}

void Form1::dropUndo()
{
    m_lastBatch.clear();
    m_undo->setEnabled(false);
}

void Form1::OnDriveChange()
{
    m_ui->Dir1->SetPath(m_ui->Drive1->Drive());
}

void Form1::OnFolderChange()
{
    forgetRenamed();
    m_ui->File1->SetPath(m_ui->Dir1->List(m_ui->Dir1->ListIndex()));
}

void Form1::OnPatternChange()
{
    forgetRenamed();
    m_ui->File1->SetPattern(m_ui->txtPattern->Text());
}

// Runs a batch or an undo as any handler runs. When it stops, the box that
// says so offers to undo what it renamed. A window closed meanwhile closes
// once that is told.
void Form1::runRenaming(void (Form1::*handler)())
{
    RunHandler(this, [this, handler] {
        try {
            (this->*handler)();
        } catch (const BatchStopped &stop) {
            ReportError(this, UserMessage(stop), undoOffer());
        }
    });
    if (std::exchange(m_closeRequested, false))
        close();
}

// The files are renamed in the folder the file list shows, which is where
// its names come from, never in a folder that is only highlighted: the very
// folder it read, which it holds open.
void Form1::runPaced(int count, const QString &progressText,
                     const std::function<void(RenameService &)> &work)
{
    const std::unique_ptr<RenameService> renamer = m_makeRenamer(m_ui->File1->Folder());
    PacedRenamer paced(this, *renamer, m_ui->File1->FolderPath(), count, progressText);
    const auto noteClose = qScopeGuard([&] { m_closeRequested = paced.closeRequested(); });
    work(paced);
}

std::optional<ErrorAction> Form1::undoOffer()
{
    if (m_lastBatch.empty())
        return std::nullopt;
    return ErrorAction{tr("&Undo"), [this] { runRenaming(&Form1::OnUndo); }};
}

void Form1::OnRemoveSpacesClick()
{
    const int renamedEarlier = m_renamedSinceRead;
    // Nothing to undo while the batch runs: it replaces the last one.
    dropUndo();
    try {
        runPaced(
            m_ui->File1->ListCount(), tr("Renaming %1 of %2:\n%3"), [this](RenameService &renamer) {
                RunRemoveSpaces({*m_ui->File1, *m_ui->File1, *m_ui->Check1, *m_ui->List1, renamer});
            });
    } catch (const BatchStopped &stop) {
        rememberRenamed();
        retellIfRenamedEarlier(stop, renamedEarlier);
        throw;
    }
    rememberRenamed();
}

// Renames the last batch's files back, once. Whatever came of it, the result
// list is emptied and the file list reads its folder again, so that both
// show the files as they now are.
void Form1::OnUndo()
{
    const std::vector<Renamed> renamed = m_lastBatch;
    dropUndo();
    std::exception_ptr failure;
    try {
        runPaced(static_cast<int>(renamed.size()), tr("Undoing %1 of %2:\n%3"),
                 [&](RenameService &renamer) {
                     UndoRenames(m_ui->File1->FolderPath(), renamed, renamer);
                 });
    } catch (const UndoStopped &) {
        failure = std::current_exception();
    }
    m_ui->List1->Clear();
    forgetRenamed();
    m_ui->File1->SetPath(m_ui->File1->Path());
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace quillet
