#include <QTest>
class TestDiagram : public QObject { Q_OBJECT };
QTEST_MAIN(TestDiagram)
#include "test_diagram.moc"
