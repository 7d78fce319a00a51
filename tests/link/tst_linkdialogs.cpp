#include <QTest>
class TestLinkDialogs : public QObject
{
    Q_OBJECT
};
QTEST_MAIN(TestLinkDialogs)
#include "tst_linkdialogs.moc"
