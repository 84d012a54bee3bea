#include "ui/common/display_text.h"

#include "core/document/desc_document.h"

#include <QCoreApplication>
#include <QStringList>

namespace dravik::ui {

namespace {

constexpr char32_t kPrivateUseBase = 0xE000;

bool MemoCannotHold(char32_t ch)
{
    return ch == U'\r' || ch == U'\n' || ch == 0x00A0 || ch == 0x2028 || ch == 0x2029;
}

QString Decode(std::string_view bytes, const CodePage& codePage, bool forMemo)
{
    std::u32string chars;
    chars.reserve(bytes.size());
    for (unsigned char byte : bytes) {
        const char32_t ch = codePage.toUnicode(byte);
        chars.push_back(forMemo && MemoCannotHold(ch) ? kPrivateUseBase + byte : ch);
    }
    return QString::fromStdU32String(chars);
}

std::string Encode(const QString& text, const CodePage& codePage)
{
    std::string bytes;
    bytes.reserve(static_cast<size_t>(text.size()));
    for (char32_t ch : text.toStdU32String()) {
        if (ch >= kPrivateUseBase && ch <= kPrivateUseBase + 0xFF)
            bytes.push_back(static_cast<char>(ch - kPrivateUseBase));
        else
            bytes.push_back(codePage.fromUnicode(ch));
    }
    return bytes;
}

}  // namespace

QString CellText(std::string_view bytes, const CodePage& codePage) { return Decode(bytes, codePage, false); }

std::string CellBytes(const QString& text, const CodePage& codePage) { return Encode(text, codePage); }

QString MemoText(const TextLines& text, const CodePage& codePage)
{
    QStringList lines;
    lines.reserve(static_cast<qsizetype>(text.lines.size()));
    for (const auto& line : text.lines)
        lines.append(Decode(line, codePage, true));
    QString joined = lines.join(QLatin1Char('\n'));
    if (text.finalBreak && !text.lines.empty())
        joined += QLatin1Char('\n');
    return joined;
}

TextLines MemoLines(const QString& text, const CodePage& codePage)
{
    TextLines result;
    if (text.isEmpty())
        return result;
    QStringList lines = text.split(QLatin1Char('\n'));
    result.finalBreak = text.endsWith(QLatin1Char('\n'));
    if (result.finalBreak)
        lines.removeLast();
    result.lines.reserve(static_cast<size_t>(lines.size()));
    for (const QString& line : lines)
        result.lines.push_back(Encode(line, codePage));
    return result;
}

QString MessageText(const Message& message)
{
    QString text;
    for (const Message::Piece& piece : message.pieces()) {
        if (!piece.id.source) {
            text += MessageText(piece.text);
            continue;
        }
        // A counted sentence is looked up by both English forms, the plural
        // standing where Qt keeps a sentence's disambiguation.
        const QString pattern = QCoreApplication::translate(piece.id.context, piece.id.source, piece.id.plural,
                                                            piece.count ? static_cast<int>(*piece.count) : -1);
        QStringList args;
        args.reserve(static_cast<qsizetype>(piece.args.size()));
        for (const Message& arg : piece.args)
            args << MessageText(arg);
        text += FillPlaces(pattern, args);
    }
    return text;
}

QString MessageLines(const Message& message)
{
    QString text = MessageText(message);
    while (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text;
}

QString ProgramHeaderText(std::string_view header)
{
    for (const TextId& id : {kFileNameHeader, kPathHeader})
        if (header == id.source)
            return QCoreApplication::translate(id.context, id.source);
    return QString::fromLatin1(header.data(), static_cast<qsizetype>(header.size()));
}

QString FillPlaces(const QString& pattern, const QStringList& args)
{
    QString text;
    text.reserve(pattern.size());
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == u'%' && i + 1 < pattern.size()) {
            const char16_t next = pattern[i + 1].unicode();
            if (next >= u'1' && next <= u'9' && next - u'1' < args.size()) {
                text += args[next - u'1'];
                ++i;
                continue;
            }
        }
        text += c;
    }
    return text;
}

}  // namespace dravik::ui
