#include <QTest>
class TestHelp : public QObject { Q_OBJECT };
QTEST_MAIN(TestHelp)
#include "test_help.moc"
