#include "form1.h"

#include "eventhandler.h"
#include "folderpath.h"
#include "messages.h"
#include "namefile.h"
#include "progresswindow.h"
#include "renameerror.h"
#include "startfolder.h"
#include "ui_form1.h"

#include <QAccessibleWidget>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QWindow>
#include <QStyleHints>

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
// file that vanished.
void retellIfRenamedEarlier(RenamingResult &result, int renamedEarlier)
{
    if (!result.failure || static_cast<int>(result.renamed.size()) >= renamedEarlier)
        return;
    try {
        std::rethrow_exception(result.failure);
    } catch (const RenameError &error) {
        if (const SystemError *system = error.systemError();
            system != nullptr && system->failure == SystemFailure::Missing)
            result.failure = std::make_exception_ptr(
                RenameError(Refusal::RenamedEarlier, error.oldName(), error.newName()));
    } catch (...) {
    }
}

} // namespace

template <typename Sender, typename Signal>
void Form1::connectHandler(Sender *sender, Signal signal, void (Form1::*handler)())
{
    connect(sender, signal, this, [this, handler] { runHandler([=, this] { (this->*handler)(); }); });
}

Form1::Form1(Services services, QWidget *parent)
    : QWidget(parent), m_services(std::move(services)), m_ui(std::make_unique<Ui::Form1>())
{
    [[maybe_unused]] static const bool windowRoleInstalled =
        (QAccessible::installFactory(windowInterface), true);
    m_ui->setupUi(this);
    // The window opens with the focus on the first control in tab order.
    m_ui->Command1->setFocus();

    // Ctrl+Z anywhere in the window, and the result list's context menu; its
    // caption follows the folder shown.
    m_undo = new QAction(UndoActionText(), this);
    m_undo->setShortcut(QKeySequence::Undo);
    m_undo->setEnabled(false);
    addAction(m_undo);
    m_ui->List1->addAction(m_undo);
    m_ui->List1->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(m_undo, &QAction::triggered, this, [this] { runHandler([this] { OnUndo(); }); });
    m_ui->txtPattern->installEventFilter(this);

    // Both lists show one reading of the open folder, made in the
    // background; a failure is told once it is known.
    m_ui->Dir1->ShowFolders(*m_folders);
    m_ui->File1->ShowFiles(*m_folders);
    connect(m_folders, &FolderModel::Changed, this, &Form1::folderChanged);
    connect(m_folders, &FolderModel::ReadFailed, this, &Form1::folderReadFailed);
    openStartFolder();

    m_ui->Drive1->ShowVolumes(m_services.listVolumes());
    m_ui->Drive1->AskVolumes(m_services.askVolume);
    connectHandler(m_ui->Drive1, &DriveListBox::Change, &Form1::OnDriveChange);
    connectHandler(m_ui->Dir1, &DirListBox::Change, &Form1::OnFolderChange);
    connectHandler(m_ui->txtPattern, &TextBox::Change, &Form1::OnPatternChange);
    connectHandler(m_ui->Command1, &CommandButton::Click, &Form1::OnRemoveSpacesClick);

    // Escape stops a running batch or undo, wherever the focus is.
    m_stop = new QAction(this);
    m_stop->setShortcut(QKeySequence::Cancel);
    m_stop->setShortcutContext(Qt::WindowShortcut);
    m_stop->setEnabled(false);
    addAction(m_stop);
    connect(m_stop, &QAction::triggered, this, [this] {
        if (m_job)
            m_job->Stop();
    });
}

Form1::~Form1() = default;

void Form1::runHandler(const std::function<void()> &handler)
{
    RunHandler(this, m_services.reportError, handler);
}

void Form1::report(const QString &message, const std::optional<ErrorAction> &action)
{
    m_services.reportError(this, message, action);
}

// A box shown before the window manager has placed the window finds no window
// to centre on, and comes up in a corner of the screen.
void Form1::reportOnceShown(const QString &message)
{
    if (windowHandle() != nullptr && windowHandle()->isExposed())
        report(message);
    else
        m_reportOnceShown = message;
}

void Form1::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    windowHandle()->installEventFilter(this);
}

// What waits for the window to be on the screen is reported once the window
// has been drawn, under the box.
//
// The pattern box takes Ctrl+Z for its own text even when it has nothing to
// undo. What was typed there is undone first, as in any text box, so that
// undoing a slip of typing never renames files back; after that, while there
// is a renaming to undo, the key is the window's.
bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == windowHandle() && event->type() == QEvent::Expose &&
        windowHandle()->isExposed() && m_reportOnceShown)
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (m_reportOnceShown)
                    report(*std::exchange(m_reportOnceShown, std::nullopt));
            },
            Qt::QueuedConnection);
    if (watched == m_ui->txtPattern && event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent *>(event)->matches(QKeySequence::Undo) && m_undo->isEnabled() &&
        !m_ui->txtPattern->isUndoAvailable())
        return true;
    return QWidget::eventFilter(watched, event);
}

// The window must come up even when its start folder has gone, never was or
// cannot be read; the root is always there. A start folder that cannot even
// be named is told once the window listens, as a failed read is.
void Form1::openStartFolder()
{
    try {
        m_folders->Open(JoinFolderPath(SplitFolderPath(StartFolder())));
        m_readingStart = true;
    } catch (const FolderError &failure) {
        QMetaObject::invokeMethod(
            this, [this, failure] { showRootInstead(failure); }, Qt::QueuedConnection);
    }
}

void Form1::folderChanged()
{
    if (!m_folders->IsReading() && !m_folders->Failure())
        m_readingStart = false;
    enableRemoveSpaces();
    showUndoFolder();
}

void Form1::folderReadFailed(const FolderError &failure)
{
    if (std::exchange(m_readingStart, false))
        showRootInstead(failure);
    else
        reportFolderFailure(failure);
}

// Opened without Change, as the start folder was; the user learns why. The
// working folder Quillet was started in existed; one named on the command
// line may never have.
void Form1::showRootInstead(const FolderError &failure)
{
    m_folders->Open(JoinFolderPath(SplitFolderPath(FallbackFolder())));
    m_toldFailureOf = failure.folder();
    const QString why = StartFolderNamed() ? UnseenFolderMessage(failure) : UserMessage(failure);
    const QString root = QString::fromStdString(m_folders->Path());
    reportOnceShown(why + QStringLiteral("\n\n") +
                    tr("The folder \"%1\" is shown instead.").arg(root));
}

// A folder that cannot be read is told of once until another is opened,
// however often it is read again.
void Form1::reportFolderFailure(const FolderError &failure)
{
    if (m_toldFailureOf == failure.folder())
        return;
    m_toldFailureOf = failure.folder();
    report(UserMessage(failure));
}

std::string Form1::undoElsewhere() const
{
    if (m_lastBatch.empty() || m_lastBatchFolder.Path() == m_folders->Path())
        return {};
    return m_lastBatchFolder.Path();
}

// The undo works in the folder of its batch: once the window shows another,
// the action says which.
void Form1::showUndoFolder()
{
    m_undo->setText(UndoActionText(undoElsewhere()));
}

void Form1::OnDriveChange()
{
    m_ui->Dir1->SetPath(m_ui->Drive1->Drive());
}

// The undo outlives the folder: it renames back where its batch renamed.
void Form1::OnFolderChange()
{
    m_renamedSinceRead = 0;
    m_toldFailureOf.reset();
    m_readingStart = false;
    m_ui->File1->SetPath(m_ui->Dir1->List(m_ui->Dir1->ListIndex()));
}

void Form1::OnPatternChange()
{
    m_renamedSinceRead = 0;
    m_ui->File1->SetPattern(m_ui->txtPattern->Text());
}

// A close while a batch or an undo runs stops it; the window closes once
// what it did has been told. Closed again, because the rename in flight does
// not return, the window closes at once and lets the job go: it touches no
// file after that one.
void Form1::closeEvent(QCloseEvent *event)
{
    if (m_job && !m_closeRequested) {
        m_closeRequested = true;
        m_job->Stop();
        event->ignore();
        return;
    }
    if (m_job) {
        m_progress.reset();
        m_job.reset();
        m_closeRequested = false;
        setJobRunning(false);
    }
    QWidget::closeEvent(event);
}

// A press queued behind another while a batch runs starts nothing, and
// neither does one within the double-click interval after a batch ended: the
// further presses of a double or triple click (or of an access key pressed
// as fast) would rename a list that the batch has renamed already.
//
// The files are renamed in the folder the file list shows, which is where
// its names come from, never in a folder that is only highlighted: the very
// folder it read, which the job holds open for itself, and the window once
// more for the batch's undo.
void Form1::OnRemoveSpacesClick()
{
    if (!m_ui->Command1->isEnabled())
        return;
    if (m_batchEnded.isValid() &&
        !m_batchEnded.hasExpired(QGuiApplication::styleHints()->mouseDoubleClickInterval()))
        return;
    HeldFolder folder = m_ui->File1->Folder().Duplicate();
    m_jobFolder = folder.Duplicate();
    LineBlock names = m_ui->File1->Names();
    const bool underscore = m_ui->Check1->Value() == 1;
    const int count = static_cast<int>(names.size());
    m_ui->List1->Clear();
    // A new name is never longer than its old one.
    m_ui->List1->Reserve(names.size(), names.bytes());
    m_folders->MarkStale();
    // The names become strings of their own on the worker: a million of them
    // are a million allocations.
    startJob(
        RenamingProgress::Kind::Batch, count,
        [names = std::move(names), underscore](RenameService &renamer, std::stop_token stop,
                                               RenamingObserver &observer) {
            return RunRemoveSpaces({names.strings(), underscore}, renamer, std::move(stop),
                                   &observer);
        },
        std::move(folder));
}

// Renames the last batch's files back, once, in the folder that batch
// renamed in. Whatever folder is shown, a reading of that one under way no
// longer tells what it holds.
void Form1::OnUndo()
{
    if (m_job || m_lastBatch.empty())
        return;
    HeldFolder folder = m_lastBatchFolder.Duplicate();
    m_jobFolder = std::exchange(m_lastBatchFolder, {});
    RenamedFiles files = std::exchange(m_lastBatch, {});
    m_undo->setEnabled(false);
    const int count = static_cast<int>(files.size());
    m_folders->MarkStale();
    startJob(
        RenamingProgress::Kind::Undo, count,
        [files = std::move(files)](RenameService &renamer, std::stop_token stop,
                                   RenamingObserver &observer) {
            return UndoRenames(files, renamer, std::move(stop), &observer);
        },
        std::move(folder));
}

// The job renames in \a folder, which it holds open for itself.
void Form1::startJob(RenamingProgress::Kind kind, int count, RenamingJob::Work work,
                     HeldFolder folder)
{
    std::unique_ptr<RenameService> renamer = m_services.makeRenamer(std::move(folder));
    m_jobKind = kind;
    m_job = std::make_unique<RenamingJob>(this);
    // What the job sends goes with it: a job let go tells nothing more.
    connect(m_job.get(), &RenamingJob::progressed, m_job.get(),
            [this](const RenamingJob::Progress &progress) { listRenamed(progress); });
    connect(m_job.get(), &RenamingJob::finished, m_job.get(), [this] { finishJob(); });
    m_progress = std::make_unique<ProgressWindow>(this, *m_job, kind, count);
    setJobRunning(true);
    m_job->Start(std::move(renamer), std::move(work));
}

// While a job runs, nothing that it was given may change: the controls that
// choose the files, the names and the folder take no input, and neither do
// the button and the undo, so that no second job starts.
void Form1::setJobRunning(bool running)
{
    if (running)
        m_focusBeforeJob = QApplication::focusWidget();
    for (QWidget *control : std::initializer_list<QWidget *>{m_ui->Drive1, m_ui->Dir1,
                                                             m_ui->txtPattern, m_ui->Check1})
        control->setEnabled(!running);
    enableRemoveSpaces();
    m_undo->setEnabled(!running && !m_lastBatch.empty());
    m_stop->setEnabled(running);
    if (running) {
        setCursor(Qt::BusyCursor);
        return;
    }
    unsetCursor();
    if (m_focusBeforeJob)
        m_focusBeforeJob->setFocus();
}

// Remove Spaces starts a batch only when none runs and the file list has read
// its folder: until then it holds no names to rename. Disabled while it has
// the keyboard focus, the button passes the focus on; it takes it back once
// enabled again, unless the user has moved it meanwhile.
void Form1::enableRemoveSpaces()
{
    const bool enabled = !m_job && !m_ui->File1->IsReading();
    const bool hadFocus = focusWidget() == m_ui->Command1;
    m_ui->Command1->setEnabled(enabled);
    if (!enabled && hadFocus)
        m_focusPassedTo = focusWidget();
    if (enabled && m_focusPassedTo && focusWidget() == m_focusPassedTo)
        m_ui->Command1->setFocus();
    if (enabled)
        m_focusPassedTo = nullptr;
}

// Each new name is listed once its rename has succeeded, in order.
void Form1::listRenamed(const RenamingJob::Progress &progress)
{
    if (m_jobKind != RenamingProgress::Kind::Batch)
        return;
    const LineBlock &names = progress.newNames;
    for (std::size_t index = 0; index < names.size(); ++index)
        m_ui->List1->AddItem(names[index]);
}

void Form1::finishJob()
{
    RenamingResult result = m_job->TakeResult();
    HeldFolder folder = std::exchange(m_jobFolder, {});
    m_progress.reset();
    // Called from the job's own signal: it goes once that has returned.
    m_job.release()->deleteLater();
    setJobRunning(false);
    if (m_jobKind == RenamingProgress::Kind::Batch)
        m_batchEnded.start();
    runHandler([&] {
        if (m_jobKind == RenamingProgress::Kind::Batch)
            batchFinished(std::move(result), folder);
        else
            undoFinished(result, folder.Path());
    });
    LetGoInBackground(std::move(folder));
    // The box that told what the job did may have started an undo: the
    // window then closes after that.
    if (m_closeRequested && !m_job) {
        m_closeRequested = false;
        close();
    }
}

// The batch renamed the first files of the list, in \a folder. Its undo
// replaces the last one's only when it changed a name, and the folder the
// last one renamed in is then left in \a folder. When it stopped, the box
// that says so offers to undo what it renamed.
void Form1::batchFinished(RenamingResult result, HeldFolder &folder)
{
    retellIfRenamedEarlier(result, m_renamedSinceRead);
    const QString message = BatchReport(result);
    m_renamedSinceRead = std::max(m_renamedSinceRead, static_cast<int>(result.renamed.size()));
    std::optional<ErrorAction> undoOffer;
    if (result.changedCount() > 0) {
        // Kept where the batch made it: a million files are not moved again.
        result.renamed.eraseUnchanged();
        LetGoInBackground(std::exchange(m_lastBatch, std::move(result.renamed)));
        std::swap(m_lastBatchFolder, folder);
        m_undo->setEnabled(true);
        showUndoFolder();
        undoOffer = ErrorAction{tr("&Undo"), [this] { m_undo->trigger(); }};
    }
    if (!message.isEmpty())
        report(message, undoOffer);
}

// Whatever came of the undo, the result list is emptied. The lists stay on
// the folder the user is in; when that is \a undoneIn, where the undo renamed,
// the file list reads it again, so that both show the files as they now are.
void Form1::undoFinished(const RenamingResult &result, const std::string &undoneIn)
{
    m_ui->List1->Clear();
    const bool shown = undoneIn == m_folders->Path();
    showUndoFolder();
    if (shown) {
        m_renamedSinceRead = 0;
        m_ui->File1->SetPath(m_ui->File1->Path());
    }
    const QString message = UndoReport(result, shown ? std::string() : undoneIn);
    if (!message.isEmpty())
        report(message);
}

} // namespace quillet
