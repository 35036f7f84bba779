// quintara_register_helper <register> <archive> <first> <step> <count>
// Enters <count> cards in the register of members, one user action each,
// starting at position <first> and moving by <step>, each taking the next free
// number. Exits 0 when every entry was stored, 1 with the reason on stderr.
#include "books/MemberRegister.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 6) {
        std::fprintf(stderr, "usage: quintara_register_helper <register> <archive> <first> <step> <count>\n");
        return 2;
    }
    const qint64 first = args.at(3).toLongLong();
    const qint64 step = args.at(4).toLongLong();
    const int count = args.at(5).toInt();
    for (int i = 0; i < count; ++i) {
        MemberRegister::Entry e;
        e.position = first + i * step;
        e.admitted = QDate(2024, 1, 1).addDays(i);
        const auto stored = MemberRegister::store(args.at(1), args.at(2), e);
        if (!stored) {
            std::fprintf(stderr, "position %lld: %s\n", e.position, qPrintable(stored.error()));
            return 1;
        }
        std::printf("%lld %d\n", e.position, stored->number);
    }
    return 0;
}
