#include <QTest>

class Testdirlistbox : public QObject
{
    Q_OBJECT
};

QTEST_GUILESS_MAIN(Testdirlistbox)
#include "tst_dirlistbox.moc"
