#include "settings/CategoriesSetting.h"
#include "settings/QSettingsStore.h"
#include "support/QtPrinters.h"
#include "util/QuarvelError.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace quarvel {
namespace {

const QString Key = QStringLiteral("Software\\Quarvel");

// The real store, pointed into a temporary folder.
class CategoriesSettingTest : public ::testing::Test {
protected:
    void SetUp() override { QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path()); }

    QTemporaryDir folder;
    QSettingsStore store;
};

TEST_F(CategoriesSettingTest, NothingRememberedReadsAsNoChoice)
{
    EXPECT_EQ(ReadCategoriesChoice(store, Key).ChosenSource, CategoriesChoice::Source::None);
}

TEST_F(CategoriesSettingTest, ChoicesRoundTripBesideTheSettingsDocument)
{
    const QString document = QStringLiteral("<Settings>\r\n</Settings>\r\n");
    store.WriteText(Key, QStringLiteral("Settings"), document);

    RememberCategoryFile(store, Key, QStringLiteral("/lists/catver.ini"));
    CategoriesChoice choice = ReadCategoriesChoice(store, Key);
    EXPECT_EQ(choice.ChosenSource, CategoriesChoice::Source::File);
    EXPECT_EQ(choice.Path, QStringLiteral("/lists/catver.ini"));

    RememberBuiltInCategories(store, Key);
    choice = ReadCategoriesChoice(store, Key);
    EXPECT_EQ(choice.ChosenSource, CategoriesChoice::Source::BuiltIn);
    EXPECT_EQ(store.ReadText(Key, QStringLiteral("Settings")), document);
}

TEST_F(CategoriesSettingTest, RelativePathIsRememberedAbsolute)
{
    RememberCategoryFile(store, Key, QStringLiteral("catver.ini"));
    EXPECT_EQ(ReadCategoriesChoice(store, Key).Path, QDir::current().absoluteFilePath(QStringLiteral("catver.ini")));
}

TEST_F(CategoriesSettingTest, ValueThatIsNotTextIsAnError)
{
    {
        QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Quarvel"));
        settings.setValue(QStringLiteral("Categories"), 42);
    }
    try {
        ReadCategoriesChoice(store, Key);
        FAIL() << "no error";
    } catch (const QuarvelError& error) {
        EXPECT_EQ(error.Message(), QStringLiteral("Invalid data type for 'Categories'"));
    }
}

} // namespace
} // namespace quarvel
