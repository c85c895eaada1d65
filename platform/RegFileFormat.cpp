#include "platform/RegFileFormat.h"

#include <QStringDecoder>
#include <QStringList>

#include <cctype>

namespace platform {

namespace {

constexpr int kHexLineWidth = 77;

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

// column: where the prefix starts on its line.
QString HexValue(const QString& prefix, const QByteArray& data, qsizetype column) {
    QString out = prefix;
    column += out.size();
    for (qsizetype i = 0; i < data.size(); ++i) {
        const QString byte =
            QStringLiteral("%1").arg(static_cast<unsigned char>(data[i]), 2, 16, QChar('0'));
        const bool last = i + 1 == data.size();
        if (column + 3 > kHexLineWidth) {
            out += QStringLiteral("\\\n  ");
            column = 2;
        }
        out += last ? byte : byte + QChar(',');
        column += 3;
    }
    return out;
}

QString ValueText(const RegistryValue& value, qsizetype column) {
    QString text;
    if (PlainStringText(value, &text))
        return Quoted(text);
    if (value.type == kRegDword && value.data.size() == 4) {
        const auto* b = reinterpret_cast<const unsigned char*>(value.data.constData());
        const quint32 word = b[0] | (b[1] << 8) | (b[2] << 16) | (quint32(b[3]) << 24);
        return QStringLiteral("dword:%1").arg(word, 8, 16, QChar('0'));
    }
    if (value.type == kRegBinary)
        return HexValue(QStringLiteral("hex:"), value.data, column);
    return HexValue(QStringLiteral("hex(%1):").arg(value.type, 0, 16), value.data, column);
}

// Reads the lines of one file; on the first fault stops with its line number.
class Parser {
public:
    explicit Parser(QStringList lines) : m_lines(std::move(lines)) {}

    bool Run(RegistryTree* tree, QString* error) {
        const bool ok = ParseAll(tree);
        if (!ok && error)
            *error = m_error;
        return ok;
    }

private:
    bool ParseAll(RegistryTree* tree) {
        while (m_line < m_lines.size() && m_lines[m_line].trimmed().isEmpty())
            ++m_line;
        if (m_line >= m_lines.size() || m_lines[m_line].trimmed() != QLatin1String(RegFileFormat::kHeader))
            return Fail(QStringLiteral("the file does not start with \"%1\"").arg(QLatin1String(RegFileFormat::kHeader)));
        QString key;
        for (++m_line; m_line < m_lines.size(); ++m_line) {
            const QString line = m_lines[m_line].trimmed();
            if (line.isEmpty() || line.startsWith(QChar(';')))
                continue;
            if (line.startsWith(QChar('['))) {
                if (!ParseSection(line, &key))
                    return false;
                tree->CreateKey(key);
            } else if (line.startsWith(QChar('"')) || line.startsWith(QChar('@'))) {
                if (key.isEmpty())
                    return Fail(QStringLiteral("a value before the first key"));
                if (!ParseValue(line, key, tree))
                    return false;
            } else {
                return Fail(QStringLiteral("unexpected text"));
            }
        }
        return true;
    }

    bool Fail(const QString& why) {
        m_error = QStringLiteral("line %1: %2").arg(m_line + 1).arg(why);
        return false;
    }

    bool ParseSection(const QString& line, QString* key) {
        if (!line.endsWith(QChar(']')) || line.startsWith(QStringLiteral("[-")))
            return Fail(QStringLiteral("not a key line"));
        const QString full = line.mid(1, line.size() - 2);
        const QString root = QLatin1String(RegFileFormat::kRoot) + QChar('\\');
        if (!full.startsWith(root, Qt::CaseInsensitive))
            return Fail(QStringLiteral("not a key of %1").arg(QLatin1String(RegFileFormat::kRoot)));
        *key = full.mid(root.size());
        if (!RegistryTree::IsValidKeyPath(*key))
            return Fail(QStringLiteral("not a usable key path"));
        return true;
    }

    bool ParseValue(const QString& line, const QString& key, RegistryTree* tree) {
        qsizetype pos = 0;
        QString name;
        if (line.startsWith(QChar('@')))
            pos = 1;
        else if (!ParseQuoted(line, &pos, &name))
            return false;
        if (pos >= line.size() || line[pos] != QChar('='))
            return Fail(QStringLiteral("'=' expected after the value name"));
        RegistryValue value;
        if (!ParseData(line.mid(pos + 1).trimmed(), &value))
            return false;
        if (!tree->SetValue(key, name, value))
            return Fail(QStringLiteral("not a usable value name"));
        return true;
    }

    bool ParseQuoted(const QString& text, qsizetype* pos, QString* out) {
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

    bool ParseData(const QString& text, RegistryValue* value) {
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
            const QString digits = text.mid(6);
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
            const QString digits = text.mid(4, close - 4);
            bool ok = false;
            value->type = digits.toUInt(&ok, 16);
            if (close < 0 || !ok || digits.size() > 8 || !IsHex(digits))
                return Fail(QStringLiteral("not a value type"));
            return ParseHex(text.mid(close + 2), &value->data);
        }
        return Fail(QStringLiteral("unknown kind of value"));
    }

    // Hex bytes, continued over the following lines while a line ends in '\'.
    bool ParseHex(QString text, QByteArray* data) {
        text = text.trimmed();
        while (text.endsWith(QChar('\\'))) {
            text.chop(1);
            if (++m_line >= m_lines.size() || m_lines[m_line].trimmed().isEmpty())
                return Fail(QStringLiteral("the value breaks off"));
            text += m_lines[m_line].trimmed();
        }
        if (text.isEmpty())
            return true;
        QStringList bytes = text.split(QChar(','));
        if (bytes.size() > 1 && bytes.last().trimmed().isEmpty())
            bytes.removeLast();
        data->reserve(bytes.size());
        for (const QString& byte : bytes) {
            const QString digits = byte.trimmed();
            bool ok = false;
            const uint number = digits.toUInt(&ok, 16);
            if (!ok || digits.isEmpty() || digits.size() > 2 || !IsHex(digits))
                return Fail(QStringLiteral("not a hex byte"));
            data->append(static_cast<char>(number));
        }
        return true;
    }

    static bool IsHex(const QString& digits) {
        for (const QChar c : digits) {
            if (!std::isxdigit(static_cast<unsigned char>(c.toLatin1())) || c.unicode() > 0x7F)
                return false;
        }
        return !digits.isEmpty();
    }

    QStringList m_lines;
    qsizetype m_line = 0;
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
        *text = decoder(bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes);
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
    QString out = QLatin1String(kHeader) + QStringLiteral("\n\n");
    for (const QString& path : tree.KeyPaths()) {
        out += QStringLiteral("[%1\\%2]\n").arg(QLatin1String(kRoot), path);
        for (const QString& name : tree.ValueNames(path)) {
            const QString lead = name.isEmpty() ? QStringLiteral("@") : Quoted(name);
            out += lead + QChar('=') + ValueText(*tree.Value(path, name), lead.size() + 1) + QChar('\n');
        }
        out += QChar('\n');
    }
    return out.toUtf8();
}

bool RegFileFormat::Parse(const QByteArray& bytes, RegistryTree* tree, QString* error) {
    QString text;
    QString why;
    if (!DecodeText(bytes, &text, &why)) {
        if (error)
            *error = why;
        return false;
    }
    QStringList lines = text.split(QChar('\n'));
    for (QString& line : lines) {
        if (line.endsWith(QChar('\r')))
            line.chop(1);
    }
    RegistryTree parsed;
    if (!Parser(std::move(lines)).Run(&parsed, error))
        return false;
    *tree = std::move(parsed);
    return true;
}

}  // namespace platform
