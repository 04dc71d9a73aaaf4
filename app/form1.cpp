#include "form1.h"

#include "eventhandler.h"
#include "namefile.h"
#include "ui_form1.h"

#include <QAccessibleWidget>

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

    ConnectHandler(m_ui->Drive1, &DriveListBox::Change, this, &Form1::OnDriveChange);
    ConnectHandler(m_ui->Dir1, &DirListBox::Change, this, &Form1::OnFolderChange);
    ConnectHandler(m_ui->txtPattern, &TextBox::Change, this, &Form1::OnPatternChange);
    ConnectHandler(m_ui->Command1, &CommandButton::Click, this, &Form1::OnRemoveSpacesClick);
}

Form1::~Form1() = default;

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
    // its names come from, never in a folder that is only highlighted: the
    // very folder it read, which it holds open.
    FileRenamer renamer(m_ui->File1->Folder());
    RunRemoveSpaces({*m_ui->File1, *m_ui->File1, *m_ui->Check1, *m_ui->List1, renamer});
}

} // namespace quillet
