#include <QTest>

class Testdrivelistbox : public QObject
{
    Q_OBJECT
};

QTEST_GUILESS_MAIN(Testdrivelistbox)
#include "tst_drivelistbox.moc"
