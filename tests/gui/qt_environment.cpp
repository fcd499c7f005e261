#include <gtest/gtest.h>

#include <QApplication>

namespace {

// One QApplication for the whole test program, made before the first test and
// destroyed after the last, as a desktop program has it.
class QtEnvironment final : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "gui_tests";
        static char* argv[] = {name, nullptr};
        m_application = new QApplication(argc, argv);
    }
    void TearDown() override { delete m_application; }

private:
    QApplication* m_application = nullptr;
};

[[maybe_unused]] const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

} // namespace
