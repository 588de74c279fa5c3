#include "platform/core/bundle.h"

#include "stringsfile_p.h"

#include "platform/core/coding.h"
#include "platform/core/plist.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStringDecoder>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>

namespace platform {

namespace {
    std::mutex s_mutex;
    // Guarded by s_mutex.
    std::optional<QStringList> s_preferredLanguages;
    std::map<QString, std::unique_ptr<Bundle>> s_modules;
    std::map<QString, std::shared_ptr<const std::map<QString, QString>>> s_tables;

    QString executableDirectory()
    {
        if (QCoreApplication::instance())
            return QCoreApplication::applicationDirPath();
        // Before the application object exists (static initialisers, tiny tools) ask the kernel.
        return QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).absolutePath();
    }

    QString decodeStringsFile(const QByteArray &bytes)
    {
        // .strings files are UTF-8 here, but files written by other tools are often UTF-16 with a
        // byte-order mark; honour a mark when there is one.
        if (bytes.startsWith("\xff\xfe") || bytes.startsWith("\xfe\xff") || bytes.startsWith("\xef\xbb\xbf")) {
            auto encoding = QStringConverter::encodingForData(bytes);
            QStringDecoder decoder(encoding.value_or(QStringConverter::Utf8));
            QString text = decoder(bytes);
            if (text.startsWith(QChar(0xfeff)))
                text.remove(0, 1);
            return text;
        }
        return QString::fromUtf8(bytes);
    }

    std::shared_ptr<const std::map<QString, QString>> table(const QString &file)
    {
        {
            std::lock_guard lock(s_mutex);
            auto it = s_tables.find(file);
            if (it != s_tables.end())
                return it->second;
        }
        std::shared_ptr<const std::map<QString, QString>> parsed;
        QFile f(file);
        if (f.open(QIODevice::ReadOnly))
            parsed = std::make_shared<const std::map<QString, QString>>(parseStringsFile(f.readAll()));
        std::lock_guard lock(s_mutex);
        return s_tables.emplace(file, parsed).first->second;
    }

    // A small scanner for the "KEY" = "value"; format.
    class StringsScanner {
    public:
        explicit StringsScanner(const QString &text)
            : m_text(text)
        {
        }

        bool atEnd()
        {
            skipSpaceAndComments();
            return m_pos >= m_text.size();
        }

        // Reads one entry; false when the entry is malformed (the scanner has then moved past it).
        bool entry(QString &key, QString &value)
        {
            if (!token(key) || !expect(u'=') || !token(value) || !expect(u';')) {
                recover();
                return false;
            }
            return true;
        }

    private:
        void skipSpaceAndComments()
        {
            while (m_pos < m_text.size()) {
                const QChar c = m_text[m_pos];
                if (c.isSpace()) {
                    ++m_pos;
                } else if (m_text.mid(m_pos, 2) == QLatin1String("/*")) {
                    const auto end = m_text.indexOf(QLatin1String("*/"), m_pos + 2);
                    m_pos = end < 0 ? m_text.size() : end + 2;
                } else if (m_text.mid(m_pos, 2) == QLatin1String("//")) {
                    const auto end = m_text.indexOf(u'\n', m_pos);
                    m_pos = end < 0 ? m_text.size() : end + 1;
                } else {
                    return;
                }
            }
        }

        bool expect(QChar c)
        {
            skipSpaceAndComments();
            if (m_pos < m_text.size() && m_text[m_pos] == c) {
                ++m_pos;
                return true;
            }
            return false;
        }

        // A quoted string with escapes, or a bare word of letters, digits and _.-
        bool token(QString &out)
        {
            skipSpaceAndComments();
            out.clear();
            if (m_pos >= m_text.size())
                return false;
            if (m_text[m_pos] != u'"') {
                while (m_pos < m_text.size()
                    && (m_text[m_pos].isLetterOrNumber() || m_text[m_pos] == u'_' || m_text[m_pos] == u'.'
                        || m_text[m_pos] == u'-'))
                    out += m_text[m_pos++];
                return !out.isEmpty();
            }
            ++m_pos;
            while (m_pos < m_text.size()) {
                const QChar c = m_text[m_pos++];
                if (c == u'"')
                    return true;
                if (c != u'\\') {
                    out += c;
                    continue;
                }
                if (m_pos >= m_text.size())
                    return false;
                const QChar e = m_text[m_pos++];
                switch (e.unicode()) {
                case 'n':
                    out += u'\n';
                    break;
                case 't':
                    out += u'\t';
                    break;
                case 'r':
                    out += u'\r';
                    break;
                case 'U':
                case 'u': {
                    bool ok = false;
                    const uint code = m_text.mid(m_pos, 4).toUInt(&ok, 16);
                    if (!ok)
                        return false;
                    m_pos += 4;
                    out += QChar(static_cast<char16_t>(code));
                    break;
                }
                default:
                    out += e; // \" \\ and any other escaped character stand for themselves
                }
            }
            return false; // unterminated
        }

        // Moves past the next ';' outside quotes, or to the next line when the entry never ends,
        // so one broken line does not swallow the rest of the file.
        void recover()
        {
            bool quoted = false;
            while (m_pos < m_text.size()) {
                const QChar c = m_text[m_pos++];
                if (quoted && c == u'\\') {
                    ++m_pos;
                } else if (c == u'"') {
                    quoted = !quoted;
                } else if (c == u';' && !quoted) {
                    return;
                } else if (c == u'\n' && quoted) {
                    return;
                }
            }
        }

        const QString &m_text;
        qsizetype m_pos = 0;
    };

    std::optional<Bundle> search(const QString &lib)
    {
        const QString name = lib + u'_' + lib + QStringLiteral(".bundle");
        const Bundle mainBundle = Bundle::main();
        const QString exeDir = executableDirectory();
        const QStringList candidates {
            mainBundle.resourcePath(),
            exeDir,
            mainBundle.path(),
            QDir(exeDir).absoluteFilePath(QStringLiteral("../share/quenby")),
        };
        for (const QString &dir : candidates) {
            if (dir.isEmpty())
                continue;
            const QFileInfo info(QDir(dir).absoluteFilePath(name));
            if (info.isDir())
                return Bundle(QDir::cleanPath(info.absoluteFilePath()));
        }
        return std::nullopt;
    }
}

Bundle::Bundle(QString path, QString resourcePath)
    : m_path(std::move(path))
    , m_resourcePath(std::move(resourcePath))
{
    if (m_resourcePath.isEmpty()) {
        const QString contents = m_path + QStringLiteral("/Contents/Resources");
        m_resourcePath = QFileInfo(contents).isDir() ? contents : m_path;
    }
}

Bundle Bundle::main()
{
    const QDir exe(executableDirectory());
    const QString exePath = exe.absolutePath();
    // Name.app/Contents/MacOS/<executable>
    if (exePath.endsWith(QLatin1String("/Contents/MacOS"))) {
        const QString app = QDir::cleanPath(exePath + QStringLiteral("/../.."));
        if (app.endsWith(QLatin1String(".app")))
            return Bundle(app, app + QStringLiteral("/Contents/Resources"));
    }
    return Bundle(exePath, exePath);
}

const Bundle &Bundle::module(const QString &lib)
{
    {
        std::lock_guard lock(s_mutex);
        auto it = s_modules.find(lib);
        if (it != s_modules.end())
            return *it->second;
    }
    auto found = search(lib);
    if (!found) {
        // A missing bundle is a broken installation: nothing that needs its texts can work.
        const QByteArray message = QStringLiteral("unable to find bundle named %1_%1\n").arg(lib).toUtf8();
        std::fputs(message.constData(), stderr);
        std::fflush(stderr);
        std::abort();
    }
    std::lock_guard lock(s_mutex);
    auto [it, inserted] = s_modules.emplace(lib, std::make_unique<Bundle>(std::move(*found)));
    return *it->second;
}

std::optional<Bundle> Bundle::find(const QString &lib) { return search(lib); }

QString Bundle::pathForResource(const QString &name, const QString &ext) const
{
    const QString file = ext.isEmpty() ? name : name + u'.' + ext;
    const QDir dir(m_resourcePath);
    if (QFileInfo(dir.absoluteFilePath(file)).isFile())
        return dir.absoluteFilePath(file);
    QStringList languages = preferredLanguages();
    languages << QStringLiteral("en");
    for (const QString &lang : languages) {
        const QString candidate = dir.absoluteFilePath(lang + QStringLiteral(".lproj/") + file);
        if (QFileInfo(candidate).isFile())
            return candidate;
    }
    return {};
}

QString Bundle::localizedString(const QString &key, const QString &tableName) const
{
    QStringList languages = preferredLanguages();
    if (!languages.contains(QLatin1String("en")))
        languages << QStringLiteral("en");
    for (const QString &lang : languages) {
        const auto strings
            = table(QDir(m_resourcePath)
                        .absoluteFilePath(lang + QStringLiteral(".lproj/") + tableName + QStringLiteral(".strings")));
        if (!strings)
            continue;
        auto it = strings->find(key);
        if (it != strings->end())
            return it->second;
    }
    return key;
}

std::optional<Value> Bundle::infoDictionary() const
{
    for (const QString &candidate :
        { m_path + QStringLiteral("/Contents/Info.plist"), m_resourcePath + QStringLiteral("/Info.plist") }) {
        QFile f(candidate);
        if (!f.open(QIODevice::ReadOnly))
            continue;
        try {
            Value v = plist::parse(f.readAll());
            if (v.isDictionary())
                return v;
        } catch (const DecodingError &) {
        }
        return std::nullopt;
    }
    return std::nullopt;
}

QString Bundle::bundleIdentifier() const
{
    const auto info = infoDictionary();
    if (!info)
        return {};
    return (*info)[QStringLiteral("CFBundleIdentifier")].toString().value_or(QString());
}

QStringList Bundle::preferredLanguages()
{
    {
        std::lock_guard lock(s_mutex);
        if (s_preferredLanguages)
            return *s_preferredLanguages;
    }
    QStringList languages;
    for (const QString &tag : QLocale::system().uiLanguages()) {
        const QString lang = tag.section(u'-', 0, 0).section(u'_', 0, 0).toLower();
        if (lang.isEmpty() || lang == QLatin1String("c") || languages.contains(lang))
            continue;
        languages << lang;
    }
    return languages;
}

void Bundle::setPreferredLanguages(const QStringList &languages)
{
    std::lock_guard lock(s_mutex);
    if (languages.isEmpty())
        s_preferredLanguages.reset();
    else
        s_preferredLanguages = languages;
}

std::map<QString, QString> parseStringsFile(const QByteArray &bytes) { return parseStrings(decodeStringsFile(bytes)); }

std::map<QString, QString> parseStrings(const QString &text)
{
    std::map<QString, QString> result;
    StringsScanner scanner(text);
    while (!scanner.atEnd()) {
        QString key;
        QString value;
        if (scanner.entry(key, value))
            result[key] = value;
    }
    return result;
}

QString localized(const QString &lib, const QString &key) { return Bundle::module(lib).localizedString(key); }

} // namespace platform
