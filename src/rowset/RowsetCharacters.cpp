// The characters a rowset document cannot carry: control characters other
// than TAB, CR and LF, surrogates that are not part of a pair, and the
// noncharacters U+FFFE and U+FFFF.
#include "rowset/Rowset.h"

namespace rowset {

QString uncarriableCharacter(QStringView text)
{
    const auto name = [](const char *kind, char16_t c) {
        return QStringLiteral("the %1 U+%2")
            .arg(QLatin1String(kind), QString::number(c, 16).toUpper().rightJustified(4, QLatin1Char('0')));
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x20 && c != '\t' && c != '\r' && c != '\n')
            return name("control character", c);
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode()))
            ++i;
        else if (QChar::isSurrogate(c))
            return name("lone surrogate", c);
        else if (c == 0xFFFE || c == 0xFFFF)
            return name("noncharacter", c);
    }
    return {};
}

} // namespace rowset
