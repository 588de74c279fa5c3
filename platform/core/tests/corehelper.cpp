// A small program the core tests run as a second process: it finds bundles from its own location
// (and stops when one is missing), and reads and writes defaults as another program would.
#include "platform/core/bundle.h"
#include "platform/core/userdefaults.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

using namespace platform;

namespace {
int usage()
{
    std::fputs("usage: platform_core_helper bundle LIB KEY\n"
               "       platform_core_helper set DIR SUITE|- KEY TEXT\n"
               "       platform_core_helper get DIR SUITE|- KEY\n"
               "       platform_core_helper fill DIR SUITE PREFIX COUNT\n"
               "       platform_core_helper count DIR SUITE KEY\n"
               "       platform_core_helper append DIR SUITE KEY PREFIX COUNT\n",
        stderr);
    return 2;
}

UserDefaults *domain(const QString &name, std::shared_ptr<UserDefaults> &holder)
{
    if (name == QLatin1String("-"))
        return &UserDefaults::standard();
    holder = UserDefaults::suite(name);
    return holder.get();
}
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    QTextStream out(stdout);
    if (args.size() == 3 && args[0] == QLatin1String("bundle")) {
        const Bundle main = Bundle::main();
        out << main.path() << '\n' << main.bundleIdentifier() << '\n';
        out.flush();
        out << Bundle::module(args[1]).localizedString(args[2]) << '\n';
        return 0;
    }
    if ((args.size() == 5 && args[0] == QLatin1String("set"))
        || (args.size() == 4 && args[0] == QLatin1String("get"))) {
        ScopedUserDefaultsDirectory directory(args[1]);
        std::shared_ptr<UserDefaults> holder;
        UserDefaults *defaults = domain(args[2], holder);
        if (!defaults)
            return 3;
        if (args[0] == QLatin1String("set"))
            defaults->set(args[3], Value(args[4]));
        else
            out << defaults->string(args[3]).value_or(QStringLiteral("<absent>")) << '\n';
        return 0;
    }
    if (args.size() == 5 && args[0] == QLatin1String("fill")) {
        // One write per key, as the application stores settings one at a time.
        ScopedUserDefaultsDirectory directory(args[1]);
        const auto suite = UserDefaults::suite(args[2]);
        if (!suite)
            return 3;
        const int count = args[4].toInt();
        for (int i = 0; i < count; ++i)
            suite->set(args[3] + QString::number(i), Value(i));
        return 0;
    }
    if (args.size() == 6 && args[0] == QLatin1String("append")) {
        // One edit per entry of the list KEY, as the application adds a device to a stored list.
        ScopedUserDefaultsDirectory directory(args[1]);
        const auto suite = UserDefaults::suite(args[2]);
        if (!suite)
            return 3;
        const int count = args[5].toInt();
        for (int i = 0; i < count; ++i) {
            suite->update(args[3], [entry = args[4] + QString::number(i)](const std::optional<Value> &stored) {
                Value::Array list;
                if (stored && stored->toArray())
                    list = *stored->toArray();
                list.emplace_back(entry);
                return std::optional<Value>(Value(std::move(list)));
            });
        }
        return 0;
    }
    if (args.size() == 4 && args[0] == QLatin1String("count")) {
        // Counts KEY up from what is stored, forever; says "counting" once the first write is done.
        ScopedUserDefaultsDirectory directory(args[1]);
        const auto suite = UserDefaults::suite(args[2]);
        if (!suite)
            return 3;
        for (bool first = true;; first = false) {
            suite->set(args[3], Value(suite->integer(args[3]) + 1));
            if (first) {
                out << "counting" << Qt::endl;
            }
        }
    }
    return usage();
}
