#include "form1.h"

#include "eventhandler.h"
#include "messages.h"
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

void Form1::OnDriveChange()
{
    m_ui->Dir1->SetPath(m_ui->Drive1->Drive());
}

void Form1::OnFolderChange()
{
    m_ui->File1->SetPath(m_ui->Dir1->List(m_ui->Dir1->ListIndex()));
}

void Form1::OnPatternChange()
{
    m_ui->File1->SetPattern(m_ui->txtPattern->Text());
}

void Form1::OnRemoveSpacesClick()
{
    // The files are renamed in the folder the file list shows, which is where
    // its names come from, never in a folder that is only highlighted.
    RunRemoveSpaces({*m_ui->File1, *m_ui->File1, *m_ui->Check1, *m_ui->List1, m_renamer});
}

} // namespace quillet
