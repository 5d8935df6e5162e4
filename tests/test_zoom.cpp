#include <QTest>
class TestZoom : public QObject { Q_OBJECT };
QTEST_MAIN(TestZoom)
#include "test_zoom.moc"
