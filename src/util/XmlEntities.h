#pragma once

#include <QString>

namespace quarvel {

// The text with the five predefined XML entity references (&amp; &lt; &gt; &quot; &apos;)
// and decimal and hexadecimal character references (&#233; &#xE9;) replaced by their
// characters. A reference that is unknown, malformed or names no character (a surrogate, 0,
// or a value past U+10FFFF) stays as written. Text without "&" comes back unchanged.
QString DecodeXmlEntities(const QString& text);

} // namespace quarvel
