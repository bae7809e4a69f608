// The secondary windows clicked as a player would; placeholder until the dialogue suites land.
#include "ui_fixture.hpp"

namespace tarvilon::ui {
namespace {
using namespace testing;
class WindowsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { installLook(); }
};
}  // namespace
}  // namespace tarvilon::ui

QTEST_MAIN(tarvilon::ui::WindowsTest)
#include "windows_test.moc"
