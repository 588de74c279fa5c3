#include "desktopentry_p.h"

#include <QStringDecoder>

#include <algorithm>
#include <set>

namespace platform::desktopentry {

namespace {
    constexpr auto kMainGroup = "Desktop Entry";

    bool isKeyChar(QChar c)
    {
        return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'-';
    }

    // "Key" or "Key[locale]"; the locale part is not looked into further.
    bool isValidKey(const QString &key)
    {
        const qsizetype bracket = key.indexOf(u'[');
        const QString base = bracket < 0 ? key : key.left(bracket);
        if (base.isEmpty() || !std::all_of(base.begin(), base.end(), isKeyChar))
            return false;
        if (bracket < 0)
            return true;
        return key.endsWith(u']') && key.size() > bracket + 2 && key.indexOf(u'[', bracket + 1) < 0;
    }

    bool isValidGroupName(const QString &name)
    {
        return !name.isEmpty() && std::none_of(name.begin(), name.end(), [](QChar c) {
            return c == u'[' || c == u']' || c.unicode() < 0x20;
        });
    }
}

std::optional<std::map<QString, QString>> parseMainGroup(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;

    std::map<QString, QString> main;
    std::set<QString> groups;
    std::set<QString> keysOfGroup;
    QString group;
    for (QString line : text.split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[')) {
            if (!line.endsWith(u']'))
                return std::nullopt;
            group = line.mid(1, line.size() - 2);
            if (!isValidGroupName(group) || !groups.insert(group).second)
                return std::nullopt;
            if (groups.size() == 1 && group != QLatin1String(kMainGroup))
                return std::nullopt;
            keysOfGroup.clear();
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (group.isEmpty() || eq < 0)
            return std::nullopt;
        const QString key = line.left(eq).trimmed();
        if (!isValidKey(key) || !keysOfGroup.insert(key).second)
            return std::nullopt;
        if (group == QLatin1String(kMainGroup)) {
            QString value = line.mid(eq + 1);
            // Space after the '=' belongs to the separator.
            qsizetype lead = 0;
            while (lead < value.size() && (value[lead] == u' ' || value[lead] == u'\t'))
                ++lead;
            main.emplace(key, value.mid(lead));
        }
    }
    if (groups.empty())
        return std::nullopt;
    return main;
}

QString unescapeString(const QString &raw)
{
    QString out;
    out.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const QChar c = raw[i];
        if (c != u'\\' || i + 1 == raw.size()) {
            out += c;
            continue;
        }
        const QChar next = raw[i + 1];
        switch (next.unicode()) {
        case 's':
            out += u' ';
            break;
        case 'n':
            out += u'\n';
            break;
        case 't':
            out += u'\t';
            break;
        case 'r':
            out += u'\r';
            break;
        case '\\':
            out += u'\\';
            break;
        default:
            out += c;
            out += next;
            break;
        }
        ++i;
    }
    return out;
}

QString escapeString(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        switch (c.unicode()) {
        case '\\':
            out += QLatin1String("\\\\");
            break;
        case '\n':
            out += QLatin1String("\\n");
            break;
        case '\t':
            out += QLatin1String("\\t");
            break;
        case '\r':
            out += QLatin1String("\\r");
            break;
        case ' ':
            // Only a leading space would be lost to the separator.
            out += i == 0 ? QLatin1String("\\s") : QLatin1String(" ");
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::optional<QStringList> splitExec(const QString &exec)
{
    QStringList args;
    qsizetype i = 0;
    const qsizetype n = exec.size();
    while (true) {
        while (i < n && (exec[i] == u' ' || exec[i] == u'\t'))
            ++i;
        if (i == n)
            break;
        QString arg;
        if (exec[i] == u'"') {
            ++i;
            bool closed = false;
            while (i < n) {
                const QChar c = exec[i];
                if (c == u'\\' && i + 1 < n && QStringView(u"\"`$\\").contains(exec[i + 1])) {
                    arg += exec[i + 1];
                    i += 2;
                    continue;
                }
                ++i;
                if (c == u'"') {
                    closed = true;
                    break;
                }
                arg += c;
            }
            if (!closed || (i < n && exec[i] != u' ' && exec[i] != u'\t'))
                return std::nullopt;
        } else {
            while (i < n && exec[i] != u' ' && exec[i] != u'\t') {
                if (exec[i] == u'"')
                    return std::nullopt;
                arg += exec[i++];
            }
        }
        arg.replace(QLatin1String("%%"), QLatin1String("%"));
        args << arg;
    }
    if (args.isEmpty())
        return std::nullopt;
    return args;
}

QString quoteExecArgument(const QString &argument)
{
    QString out = QStringLiteral("\"");
    for (QChar c : argument) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            out += u'\\';
        if (c == u'%')
            out += u'%';
        out += c;
    }
    out += u'"';
    return out;
}

QByteArray write(const std::vector<std::pair<QString, QString>> &keys)
{
    QString text = QStringLiteral("[%1]\n").arg(QLatin1String(kMainGroup));
    for (const auto &[key, value] : keys)
        text += key + u'=' + escapeString(value) + u'\n';
    return text.toUtf8();
}

} // namespace platform::desktopentry
