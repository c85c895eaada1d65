#include "platform/RegFileFormat.h"

#include <QStringDecoder>

namespace platform {

namespace {

constexpr int kHexLineWidth = 77;
constexpr char kHexDigits[] = "0123456789abcdef";

QString Quoted(const QString& text) {
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        if (c == QChar('\\') || c == QChar('"'))
            out += QChar('\\');
        out += c;
    }
    return out + QChar('"');
}

// The text of a string value that "..." can carry exactly: UTF-16LE that
// ends in its only NUL, with no line break and no lone surrogate.
bool PlainStringText(const RegistryValue& value, QString* text) {
    const QByteArray& data = value.data;
    if (value.type != kRegSz || data.size() < 2 || data.size() % 2 != 0)
        return false;
    if (data.at(data.size() - 2) != 0 || data.at(data.size() - 1) != 0)
        return false;
    const QString decoded = Utf16Text(data.left(data.size() - 2));
    if (!decoded.isValidUtf16())
        return false;
    for (const QChar c : decoded) {
        if (c == QChar(u'\0') || c == QChar('\n') || c == QChar('\r'))
            return false;
    }
    *text = decoded;
    return true;
}

// A 32-bit number as eight lower-case hex digits.
void AppendHexWord(QByteArray& out, quint32 word) {
    for (int shift = 28; shift >= 0; shift -= 4)
        out += kHexDigits[(word >> shift) & 0xF];
}

// Bytes as "xx,xx,...", broken with "\" before a line would pass kHexLineWidth;
// column: where the prefix starts on its line.
void AppendHex(QByteArray& out, const QByteArray& prefix, const QByteArray& data, qsizetype column) {
    out += prefix;
    column += prefix.size();
    const qsizetype start = out.size();
    // Three characters a byte, and at most one line break of four for every 24 bytes.
    out.resize(start + data.size() * 3 + (data.size() / 24 + 1) * 4);
    char* next = out.data() + start;
    const auto* bytes = reinterpret_cast<const unsigned char*>(data.constData());
    for (qsizetype i = 0; i < data.size(); ++i) {
        if (column + 3 > kHexLineWidth) {
            *next++ = '\\';
            *next++ = '\n';
            *next++ = ' ';
            *next++ = ' ';
            column = 2;
        }
        *next++ = kHexDigits[bytes[i] >> 4];
        *next++ = kHexDigits[bytes[i] & 0xF];
        if (i + 1 < data.size())
            *next++ = ',';
        column += 3;
    }
    out.truncate(next - out.constData());
}

void AppendValue(QByteArray& out, const RegistryValue& value, qsizetype column) {
    QString text;
    if (PlainStringText(value, &text)) {
        out += Quoted(text).toUtf8();
    } else if (value.type == kRegDword && value.data.size() == 4) {
        const auto* b = reinterpret_cast<const unsigned char*>(value.data.constData());
        out += "dword:";
        AppendHexWord(out, b[0] | (b[1] << 8) | (b[2] << 16) | (quint32(b[3]) << 24));
    } else if (value.type == kRegBinary) {
        AppendHex(out, "hex:", value.data, column);
    } else {
        AppendHex(out, "hex(" + QByteArray::number(value.type, 16) + "):", value.data, column);
    }
}

int HexDigit(QChar c) {
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

bool IsHex(QStringView digits) {
    for (const QChar c : digits) {
        if (HexDigit(c) < 0)
            return false;
    }
    return !digits.isEmpty();
}

// Hex bytes "xx,xx,..." fed a piece at a time (the pieces of a value continued over several lines
// join without a separator): one or two digits a byte, spaces only around them, a comma after the
// last byte allowed.
class HexBytes {
public:
    explicit HexBytes(QByteArray* data) : m_data(data) {}

    bool Feed(QStringView piece) {
        for (const QChar c : piece) {
            if (c == QChar(',')) {
                if (m_digits == 0)
                    return false;
                m_data->append(static_cast<char>(m_byte));
                m_digits = 0;
                m_byte = 0;
                m_spaceAfter = false;
            } else if (c.isSpace()) {
                m_spaceAfter = m_digits > 0;
            } else {
                const int digit = HexDigit(c);
                if (digit < 0 || m_spaceAfter || m_digits == 2)
                    return false;
                m_byte = m_byte * 16 + digit;
                ++m_digits;
            }
        }
        return true;
    }

    void Finish() {
        if (m_digits > 0)
            m_data->append(static_cast<char>(m_byte));
    }

private:
    QByteArray* m_data;
    int m_digits = 0;
    int m_byte = 0;
    bool m_spaceAfter = false;
};

// Reads the lines of one file; on the first fault stops with its line number.
class Parser {
public:
    explicit Parser(QStringView text) : m_text(text) {}

    bool Run(RegistryTree* tree, QString* error) {
        const bool ok = ParseAll(tree);
        if (!ok && error)
            *error = m_error;
        return ok;
    }

private:
    // The next line without its line break; false past the last.
    bool NextLine(QStringView* line) {
        if (m_next > m_text.size())
            return false;
        qsizetype end = m_text.indexOf(QChar('\n'), m_next);
        if (end < 0)
            end = m_text.size();
        *line = m_text.mid(m_next, end - m_next);
        if (line->endsWith(QChar('\r')))
            line->chop(1);
        m_next = end + 1;
        ++m_lineNumber;
        return true;
    }

    bool ParseAll(RegistryTree* tree) {
        QStringView line;
        do {
            if (!NextLine(&line))
                break;
        } while (line.trimmed().isEmpty());
        if (line.trimmed() != QLatin1String(RegFileFormat::kHeader))
            return Fail(QStringLiteral("the file does not start with \"%1\"").arg(QLatin1String(RegFileFormat::kHeader)));
        // A section's values go in together, so a long key path is walked once per section.
        QString key;
        QList<RegistryNamedValue> values;
        const auto flush = [&] {
            if (!values.isEmpty())
                tree->SetValues(key, values);
            values.clear();
        };
        while (NextLine(&line)) {
            line = line.trimmed();
            if (line.isEmpty() || line.startsWith(QChar(';')))
                continue;
            if (line.startsWith(QChar('['))) {
                flush();
                if (!ParseSection(line, &key))
                    return false;
                tree->CreateKey(key);
            } else if (line.startsWith(QChar('"')) || line.startsWith(QChar('@'))) {
                if (key.isEmpty())
                    return Fail(QStringLiteral("a value before the first key"));
                RegistryNamedValue value;
                if (!ParseValue(line, &value))
                    return false;
                values.append(std::move(value));
            } else {
                return Fail(QStringLiteral("unexpected text"));
            }
        }
        flush();
        return true;
    }

    bool Fail(const QString& why) {
        m_error = QStringLiteral("line %1: %2").arg(m_lineNumber).arg(why);
        return false;
    }

    bool ParseSection(QStringView line, QString* key) {
        if (!line.endsWith(QChar(']')) || line.startsWith(QStringLiteral("[-")))
            return Fail(QStringLiteral("not a key line"));
        const QStringView full = line.mid(1, line.size() - 2);
        const QString root = QLatin1String(RegFileFormat::kRoot) + QChar('\\');
        if (!full.startsWith(root, Qt::CaseInsensitive))
            return Fail(QStringLiteral("not a key of %1").arg(QLatin1String(RegFileFormat::kRoot)));
        const QStringView path = full.mid(root.size());
        if (!RegistryTree::IsValidKeyPath(path))
            return Fail(QStringLiteral("not a usable key path (empty, more than %1 deep, or a name longer than %2)")
                            .arg(RegistryTree::kMaxKeyDepth)
                            .arg(RegistryTree::kMaxKeyNameChars));
        *key = path.toString();
        return true;
    }

    bool ParseValue(QStringView line, RegistryNamedValue* value) {
        qsizetype pos = 0;
        if (line.startsWith(QChar('@')))
            pos = 1;
        else if (!ParseQuoted(line, &pos, &value->name))
            return false;
        if (pos >= line.size() || line[pos] != QChar('='))
            return Fail(QStringLiteral("'=' expected after the value name"));
        if (!RegistryTree::IsValidValueName(value->name))
            return Fail(QStringLiteral("not a usable value name"));
        return ParseData(line.mid(pos + 1).trimmed(), &value->value);
    }

    bool ParseQuoted(QStringView text, qsizetype* pos, QString* out) {
        if (*pos >= text.size() || text[*pos] != QChar('"'))
            return Fail(QStringLiteral("'\"' expected"));
        out->clear();
        for (qsizetype i = *pos + 1; i < text.size(); ++i) {
            const QChar c = text[i];
            if (c == QChar('"')) {
                *pos = i + 1;
                return true;
            }
            if (c == QChar('\\')) {
                if (i + 1 >= text.size() || (text[i + 1] != QChar('\\') && text[i + 1] != QChar('"')))
                    return Fail(QStringLiteral("unknown escape in a quoted text"));
                ++i;
            }
            out->append(text[i]);
        }
        return Fail(QStringLiteral("unterminated quoted text"));
    }

    bool ParseData(QStringView text, RegistryValue* value) {
        if (text.startsWith(QChar('"'))) {
            qsizetype pos = 0;
            QString content;
            if (!ParseQuoted(text, &pos, &content))
                return false;
            if (!text.mid(pos).trimmed().isEmpty())
                return Fail(QStringLiteral("text after the string"));
            value->type = kRegSz;
            value->data = Utf16Bytes(content + QChar(u'\0'));
            return true;
        }
        if (text.startsWith(QStringLiteral("dword:"))) {
            const QStringView digits = text.mid(6);
            bool ok = false;
            const quint32 word = digits.toUInt(&ok, 16);
            if (!ok || digits.size() > 8 || !IsHex(digits))
                return Fail(QStringLiteral("not a DWORD"));
            value->type = kRegDword;
            for (int shift = 0; shift < 32; shift += 8)
                value->data.append(static_cast<char>((word >> shift) & 0xFF));
            return true;
        }
        if (text.startsWith(QStringLiteral("hex:"))) {
            value->type = kRegBinary;
            return ParseHex(text.mid(4), &value->data);
        }
        if (text.startsWith(QStringLiteral("hex("))) {
            const qsizetype close = text.indexOf(QStringLiteral("):"));
            const QStringView digits = close < 0 ? QStringView() : text.mid(4, close - 4);
            bool ok = false;
            value->type = digits.toUInt(&ok, 16);
            if (close < 0 || !ok || digits.size() > 8 || !IsHex(digits))
                return Fail(QStringLiteral("not a value type"));
            return ParseHex(text.mid(close + 2), &value->data);
        }
        return Fail(QStringLiteral("unknown kind of value"));
    }

    // Hex bytes, continued over the following lines while a line ends in '\'.
    bool ParseHex(QStringView text, QByteArray* data) {
        HexBytes bytes(data);
        QStringView piece = text.trimmed();
        data->reserve(piece.size() / 3 + 1);
        while (piece.endsWith(QChar('\\'))) {
            piece.chop(1);
            if (!bytes.Feed(piece))
                return Fail(QStringLiteral("not a hex byte"));
            QStringView next;
            if (!NextLine(&next) || next.trimmed().isEmpty())
                return Fail(QStringLiteral("the value breaks off"));
            piece = next.trimmed();
        }
        if (!bytes.Feed(piece))
            return Fail(QStringLiteral("not a hex byte"));
        bytes.Finish();
        data->squeeze();
        return true;
    }

    QStringView m_text;
    qsizetype m_next = 0;
    qsizetype m_lineNumber = 0;
    QString m_error;
};

// The file's text: UTF-16LE behind its byte-order mark, otherwise UTF-8.
bool DecodeText(const QByteArray& bytes, QString* text, QString* error) {
    if (bytes.startsWith("\xFF\xFE")) {
        if (bytes.size() % 2 != 0) {
            *error = QStringLiteral("odd length for UTF-16 text");
            return false;
        }
        *text = Utf16Text(bytes.mid(2));
        // As with UTF-8, text that is not valid is refused: a lone surrogate in a name could not be
        // written back, and the next save would rename the key or value.
        if (!text->isValidUtf16()) {
            *error = QStringLiteral("not UTF-16 text");
            return false;
        }
    } else {
        QStringDecoder decoder(QStringDecoder::Utf8);
        *text = decoder(bytes.startsWith("\xEF\xBB\xBF") ? QByteArrayView(bytes).sliced(3) : QByteArrayView(bytes));
        if (decoder.hasError()) {
            *error = QStringLiteral("not UTF-8 text");
            return false;
        }
    }
    if (text->contains(QChar(u'\0'))) {
        *error = QStringLiteral("NUL characters in the text");
        return false;
    }
    return true;
}

}  // namespace

QByteArray RegFileFormat::Write(const RegistryTree& tree) {
    QByteArray out = QByteArray(kHeader) + "\n\n";
    tree.ForEachKey([&out](const QString& path, const RegistryTree::ValueMap& values, bool hasSubKeys) {
        if (values.empty() && hasSubKeys)
            return;
        out += '[';
        out += kRoot;
        out += '\\';
        out += path.toUtf8();
        out += "]\n";
        for (const auto& [name, value] : values) {
            const QString lead = name.isEmpty() ? QStringLiteral("@") : Quoted(name);
            out += lead.toUtf8();
            out += '=';
            AppendValue(out, value, lead.size() + 1);
            out += '\n';
        }
        out += '\n';
    });
    return out;
}

bool RegFileFormat::Parse(const QByteArray& bytes, RegistryTree* tree, QString* error) {
    QString text;
    QString why;
    if (bytes.size() > kMaxTextBytes)
        why = QStringLiteral("the file is larger than settings can be");
    if (!why.isEmpty() || !DecodeText(bytes, &text, &why)) {
        if (error)
            *error = why;
        return false;
    }
    RegistryTree parsed;
    if (!Parser(text).Run(&parsed, error))
        return false;
    *tree = std::move(parsed);
    return true;
}

}  // namespace platform
