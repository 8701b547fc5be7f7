#include "settings/QSettingsStore.h"
#include "support/TestFiles.h"
#include "util/QuarvelError.h"

#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace quarvel {
namespace {

const QString Key = QStringLiteral("Software\\Quarvel");
const QString Value = QStringLiteral("Settings");

// Points the user-scope native store into a temporary folder, never the user's real one.
class QSettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override { QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path()); }

    QTemporaryDir folder;
    QSettingsStore store;
};

TEST_F(QSettingsStoreTest, MissingValueReadsAsNothing)
{
    EXPECT_EQ(store.ReadText(Key, Value), std::nullopt);
}

TEST_F(QSettingsStoreTest, TextRoundTripsUnchangedIntoTheOrganisationsFile)
{
    const QString document = QStringLiteral("<Settings>\r\n    <XMLLoc>/g/a&b \u00E9.xml</XMLLoc>\r\n</Settings>\r\n");
    store.WriteText(Key, Value, document);
    EXPECT_EQ(store.ReadText(Key, Value), document);
    EXPECT_TRUE(QFile::exists(folder.filePath(QStringLiteral("Quarvel.conf"))));
    store.WriteText(Key, Value, QStringLiteral("replaced"));
    EXPECT_EQ(store.ReadText(Key, Value), QStringLiteral("replaced"));
}

TEST_F(QSettingsStoreTest, ValueThatIsNotTextIsAnError)
{
    {
        QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Quarvel"));
        settings.setValue(Value, QByteArray("\x01\x02", 2));
    }
    try {
        store.ReadText(Key, Value);
        FAIL() << "no error";
    } catch (const QuarvelError& error) {
        EXPECT_EQ(error.Message(), QStringLiteral("Invalid data type for 'Settings'"));
    }
}

TEST_F(QSettingsStoreTest, FailedWriteIsReported)
{
    // The store's folder is a plain file, so nothing can be written there.
    const QString blocked = folder.filePath(QStringLiteral("blocked"));
    test::WriteFile(blocked, "x");
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, blocked);
    try {
        store.WriteText(Key, Value, QStringLiteral("x"));
        FAIL() << "no error";
    } catch (const QuarvelError& error) {
        EXPECT_EQ(error.Message(), QStringLiteral("Failed to set data for 'Settings'"));
    }
}

} // namespace
} // namespace quarvel
