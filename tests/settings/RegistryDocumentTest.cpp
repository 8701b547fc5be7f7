#include "markup/TLibXML2.h"
#include "settings/QSettingsStore.h"
#include "support/ScriptedPrompts.h"
#include "util/QuarvelError.h"

#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <new>

namespace quarvel {
namespace {

const QString Key = QStringLiteral("Software\\Quarvel");
const QString Value = QStringLiteral("Settings");

class RegistryDocument : public ::testing::Test {
protected:
    void SetUp() override { QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path()); }

    QTemporaryDir folder;
    QSettingsStore store;
    test::ScriptedPrompts prompts;
};

TEST_F(RegistryDocument, WrittenDocumentReadsBack)
{
    TLibXML2 writer;
    writer.WNew();
    writer.WOpenNode(QStringLiteral("Settings"), QString());
    writer.WAddChild(QStringLiteral("XMLLoc"), QStringLiteral("/g/caf\u00E9 & co.xml"));
    writer.WAddChildInt(QStringLiteral("SrcType"), 1);
    writer.WCloseNode(QStringLiteral("Settings"));
    writer.WSaveToRegistry(Key, Value, store);

    TLibXML2 reader;
    reader.LoadFromRegistry(Key, Value, store, prompts);
    EXPECT_EQ(reader.DataText(), writer.DataText());
    reader.SetMainNode(QStringLiteral("Settings"), false);
    ASSERT_TRUE(reader.LoadNode(1));
    EXPECT_EQ(reader.GetItem(QStringLiteral("XMLLoc")), QStringLiteral("/g/caf\u00E9 & co.xml"));
    EXPECT_EQ(reader.GetItemInt(QStringLiteral("SrcType")), 1);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(RegistryDocument, MissingValueGivesAnEmptyDocument)
{
    TLibXML2 reader;
    reader.SetData("<Settings></Settings>");
    reader.LoadFromRegistry(Key, Value, store, prompts);
    EXPECT_TRUE(reader.Data().isEmpty());
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(RegistryDocument, ValueThatIsNotTextIsShownAndTheDocumentKept)
{
    {
        QSettings raw(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Quarvel"));
        raw.setValue(Value, QStringList({QStringLiteral("a"), QStringLiteral("b")}));
    }
    TLibXML2 reader;
    reader.SetData("kept");
    reader.LoadFromRegistry(Key, Value, store, prompts);
    EXPECT_EQ(reader.Data(), "kept");
    EXPECT_EQ(prompts.messages, QStringList({"Invalid data type for 'Settings'"}));
}

// A store whose read fails with something other than the store's own error.
class FailingStore : public SettingsStore {
public:
    std::optional<QString> ReadText(const QString&, const QString&) override { throw std::bad_alloc(); }
    void WriteText(const QString&, const QString&, const QString&) override {}
};

TEST_F(RegistryDocument, AnyFailureOfTheReadIsShownAndTheDocumentKept)
{
    FailingStore failing;
    TLibXML2 reader;
    reader.SetData("kept");
    EXPECT_NO_THROW(reader.LoadFromRegistry(Key, Value, failing, prompts));
    EXPECT_EQ(reader.Data(), "kept");
    EXPECT_EQ(prompts.messages, QStringList({"std::bad_alloc"}));
}

} // namespace
} // namespace quarvel
