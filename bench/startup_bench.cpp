// Start-up of the window in each language: from the language's catalogues
// loaded to the main window shown, as a user starting the program waits for
// it, the median of many starts. A language costs its catalogues' load and
// the translated texts; the figures stand side by side.
//
//   dravik2-startup-bench [--runs N]
#include "bench/bench_window.h"
#include "ui/common/language.h"
#include "ui/main_unit.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    int runs = 21;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--runs") == 0)
            runs = std::max(1, std::atoi(argv[i + 1]));
    QTemporaryDir dir;
    dravik::bench::BenchDialogs dialogs;
    for (const char* language : {"en", "ru"}) {
        // The stored choice picks the language, as at a user's start.
        const QString settings = dir.filePath(QStringLiteral("dravik2_%1.INI").arg(QLatin1String(language)));
        QFile file(settings);
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        file.write(QByteArray("[Form]\r\nLanguage=") + language + "\r\n");
        file.close();
        std::vector<double> ms;
        for (int run = 0; run < runs + 1; ++run) {
            // The other language first, so that each start loads its catalogues.
            dravik::ui::UseLanguage(QLatin1String(std::strcmp(language, "en") == 0 ? "ru" : "en"));
            const auto start = std::chrono::steady_clock::now();
            TMainForm window(settings, dialogs);
            window.show();
            QCoreApplication::processEvents();
            const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
            if (run > 0)  // the first start warms the caches
                ms.push_back(took.count());
        }
        std::sort(ms.begin(), ms.end());
        std::printf("start-up %s: median %.1f ms, fastest %.1f ms, slowest %.1f ms (%d starts)\n", language,
                    ms[ms.size() / 2], ms.front(), ms.back(), runs);
    }
    return 0;
}
