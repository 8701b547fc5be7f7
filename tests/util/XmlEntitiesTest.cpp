#include "support/NamedCases.h"
#include "util/XmlEntities.h"

#include <gtest/gtest.h>

#include <ostream>

namespace quarvel {
namespace {

using test::PrintTo;

struct EntityCase {
    const char* name;
    const char16_t* text;
    const char16_t* decoded;
};

class DecodeXmlEntitiesCases : public ::testing::TestWithParam<EntityCase> {};

TEST_P(DecodeXmlEntitiesCases, DecodesOnlyWellFormedReferences)
{
    EXPECT_EQ(DecodeXmlEntities(QString::fromUtf16(GetParam().text)), QString::fromUtf16(GetParam().decoded));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DecodeXmlEntitiesCases,
    ::testing::Values(EntityCase{"NoReference", u"Pac-Man (Midway)", u"Pac-Man (Midway)"},
                      EntityCase{"FivePredefined", u"&amp;&lt;&gt;&quot;&apos;", u"&<>\"'"},
                      EntityCase{"AmpersandBeforeAReference", u"&&amp;", u"&&"},
                      EntityCase{"DecodedAmpersandIsNotDecodedAgain", u"&amp;lt;", u"&lt;"},
                      EntityCase{"Decimal", u"caf&#233;", u"caf\u00E9"},
                      EntityCase{"Hexadecimal", u"&#x6F22;&#x6f22;&#X41;", u"\u6F22\u6F22&#X41;"},
                      EntityCase{"BeyondTheBasicPlane", u"&#x1F600;", u"\U0001F600"},
                      EntityCase{"UnknownName", u"&nbsp;&copy;", u"&nbsp;&copy;"},
                      EntityCase{"NoSemicolon", u"A &amp B", u"A &amp B"},
                      EntityCase{"EmptyReferences", u"&; &#; &#x;", u"&; &#; &#x;"},
                      EntityCase{"NoCharacter", u"&#0;&#xD800;&#x110000;&#99999999999;", u"&#0;&#xD800;&#x110000;&#99999999999;"},
                      EntityCase{"NotDigits", u"&#12a; &#x1G;&#\u0661;", u"&#12a; &#x1G;&#\u0661;"},
                      EntityCase{"CaseMatters", u"&AMP;", u"&AMP;"}),
    test::CaseName());

} // namespace
} // namespace quarvel
