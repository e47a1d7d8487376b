#include "qt/MultiLineText.h"

#include <algorithm>

namespace kalpeno::qt {

namespace {

bool pairAt(std::u16string_view text, std::size_t i) {
    return text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n';
}

} // namespace

QString editorText(std::u16string_view modelText) {
    QString shown;
    shown.reserve(static_cast<qsizetype>(modelText.size()));
    for (std::size_t i = 0; i < modelText.size(); ++i) {
        if (pairAt(modelText, i)) {
            shown += QChar(paragraphSeparator);
            ++i;
        } else if (modelText[i] == u'\r') {
            shown += QChar(loneCarriageReturn);
        } else if (modelText[i] == u'\n') {
            shown += QChar(loneLineFeed);
        } else {
            shown += QChar(modelText[i]);
        }
    }
    return shown;
}

std::u16string modelText(const QString& editorRawText) {
    std::u16string text;
    text.reserve(static_cast<std::size_t>(editorRawText.size()));
    for (const QChar c : editorRawText) {
        switch (c.unicode()) {
        case paragraphSeparator:
        case lineSeparator:
        case u'\n':
            text += u"\r\n";
            break;
        case loneCarriageReturn:
            text += u'\r';
            break;
        case loneLineFeed:
            text += u'\n';
            break;
        default:
            text += c.unicode();
            break;
        }
    }
    return text;
}

bool sameLines(QStringView a, QStringView b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), sameShown);
}

qsizetype linesPerParagraph(qsizetype lineEnds) {
    return lineEnds <= maxParagraphs ? 1 : (lineEnds + maxParagraphs - 1) / maxParagraphs;
}

void groupLines(QString& part, qsizetype perParagraph) {
    if (perParagraph <= 1) {
        return;
    }
    qsizetype ends = 0;
    for (QChar& c : part) {
        if (c.unicode() == paragraphSeparator && ++ends % perParagraph != 0) {
            c = QChar(lineSeparator);
        }
    }
}

int editorPosition(std::u16string_view modelText, std::size_t modelPosition) {
    int position = 0;
    for (std::size_t i = 0; i < modelText.size() && i < modelPosition; ++i) {
        if (pairAt(modelText, i)) {
            ++i;
        }
        ++position;
    }
    return position;
}

std::size_t modelPosition(std::u16string_view modelText, int editorPosition) {
    std::size_t i = 0;
    for (int position = 0; position < editorPosition && i < modelText.size(); ++position) {
        i += pairAt(modelText, i) ? 2 : 1;
    }
    return i;
}

} // namespace kalpeno::qt
