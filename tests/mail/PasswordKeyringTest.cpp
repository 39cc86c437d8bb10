#include "PasswordKeyring.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace {

// QtKeychain answers over D-Bus through the event loop, which needs an application.
class PasswordKeyringTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        static int argc = 1;
        static char name[] = "keyring_tests";
        static char *argv[] = {name, nullptr};
        static QCoreApplication application(argc, argv);
    }
};

// Run in a private D-Bus session with an unlocked gnome-keyring (see CMakeLists.txt).
TEST_F(PasswordKeyringTest, PasswordsGoToTheKeyringAndBack)
{
    const QString key = QStringLiteral("rotam@127.0.0.1");
    PasswordKeyring keyring(QStringLiteral("rotam-print-test"));
    keyring.write(key, QStringLiteral("pässword"));
    EXPECT_TRUE(keyring.hasKeyring());
    // Another object, as in the next run of the program: only the keyring remembers.
    PasswordKeyring later(QStringLiteral("rotam-print-test"));
    EXPECT_EQ(later.read(key), QStringLiteral("pässword"));
    later.remove(key);
    EXPECT_EQ(PasswordKeyring(QStringLiteral("rotam-print-test")).read(key), QString());
    EXPECT_TRUE(later.hasKeyring());
}

// Run without any session bus, and in a session bus without a keyring.
TEST_F(PasswordKeyringTest, WithoutKeyringThePasswordStaysInMemory)
{
    const QString key = QStringLiteral("rotam@127.0.0.1");
    PasswordKeyring keyring(QStringLiteral("rotam-print-test"));
    keyring.write(key, QStringLiteral("secret"));
    EXPECT_FALSE(keyring.hasKeyring());
    EXPECT_EQ(keyring.read(key), QStringLiteral("secret"));
    EXPECT_EQ(PasswordKeyring(QStringLiteral("rotam-print-test")).read(key), QString());
}

} // namespace
