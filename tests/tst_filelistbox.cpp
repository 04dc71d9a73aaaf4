#include <QTest>

class Testfilelistbox : public QObject
{
    Q_OBJECT
};

QTEST_GUILESS_MAIN(Testfilelistbox)
#include "tst_filelistbox.moc"
