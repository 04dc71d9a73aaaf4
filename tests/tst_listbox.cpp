#include <QTest>

class Testlistbox : public QObject
{
    Q_OBJECT
};

QTEST_GUILESS_MAIN(Testlistbox)
#include "tst_listbox.moc"
