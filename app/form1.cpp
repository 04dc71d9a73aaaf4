#include "form1.h"

#include "eventhandler.h"
#include "messages.h"
#include "namefile.h"
#include "renameerror.h"
#include "ui_form1.h"

#include <QAccessibleWidget>
#include <QTimer>

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

// A listed file that is missing because an earlier batch renamed it is told
// as such, not as a file that vanished: throws the batch's stop again with
// that reason. Returns when the batch stopped for another reason.
void retellIfRenamedEarlier(const BatchStopped &stop, const std::set<std::string> &renamedEarlier)
{
    try {
        std::rethrow_if_nested(stop);
    } catch (const RenameError &error) {
        if (error.failure() != RenameFailure::SourceMissing ||
            !renamedEarlier.contains(error.oldName()))
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

Form1::Form1(QWidget *parent) : QWidget(parent), m_ui(std::make_unique<Ui::Form1>())
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
    ConnectHandler(m_ui->Command1, &CommandButton::Click, this, &Form1::OnRemoveSpacesClick);
}

Form1::~Form1() = default;

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
// first names of the file list are the ones renamed.
void Form1::rememberRenamed()
{
    for (int index = 0; index < m_ui->List1->ListCount(); ++index)
        m_renamedSinceRead.insert(m_ui->File1->List(index));
}

void Form1::forgetRenamed()
{
    m_renamedSinceRead.clear();
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

void Form1::OnRemoveSpacesClick()
{
    // The files are renamed in the folder the file list shows, which is where
    // its names come from, never in a folder that is only highlighted: the
    // very folder it read, which it holds open.
    FileRenamer renamer(m_ui->File1->Folder());
    const std::set<std::string> renamedEarlier = m_renamedSinceRead;
    try {
        RunRemoveSpaces({*m_ui->File1, *m_ui->File1, *m_ui->Check1, *m_ui->List1, renamer});
    } catch (const BatchStopped &stop) {
        rememberRenamed();
        retellIfRenamedEarlier(stop, renamedEarlier);
        throw;
    }
    rememberRenamed();
}

} // namespace quillet
