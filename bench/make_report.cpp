// Writes a report of a list file with the default options and columns: make_report KIND LIST OUT,
// KIND bin, inventory or trade. Prints the load and report times and the peak memory after the load
// and at the end.
#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <sys/resource.h>

#include "model/ColumnList.h"
#include "model/ListFactory.h"
#include "model/ListFile.h"
#include "platform/SafeFile.h"
#include "reports/CartReports.h"

namespace {

long PeakKib()
{
    struct rusage usage { };
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv)
{
    using namespace quorvel;
    using Clock = std::chrono::steady_clock;
    const std::string kind = argc == 4 ? argv[1] : "";
    if (kind != "bin" && kind != "inventory" && kind != "trade") {
        std::fprintf(stderr, "usage: %s bin|inventory|trade LIST OUT\n", argv[0]);
        return 2;
    }
    const Path in(argv[2]), out(argv[3]);
    auto list = CreateListObject(GetListFileType(in));
    if (!list) {
        std::fprintf(stderr, "The file \"%s\" is not a recognized Quorvel File.\n", in.c_str());
        return 1;
    }
    try {
        const auto t0 = Clock::now();
        LoadListObject(list.get(), in);
        const auto t1 = Clock::now();
        const long loadedKib = PeakKib();
        if (list->Count() == 0) {
            std::fprintf(stderr, "The list has no items.\n");
            return 1;
        }
        TColumnListClass columns;
        columns.SetTemplate(list->GetItem(0));
        const ReportClock clock = ReportClock::System();
        // Written as the program writes it: into the file while the report is made.
        AtomicFileWriter file {out};
        if (kind == "bin")
            RenderBinReport(*list, columns, {}, clock, &file);
        else if (kind == "inventory")
            RenderInventoryReport(*list, columns, 0, clock, &file);
        else
            RenderTradeReport(*list, columns, {}, clock, &file);
        const auto tr = Clock::now();
        file.Commit();
        const auto t2 = Clock::now();
        const auto ms = [](auto d) { return std::chrono::duration<double, std::milli>(d).count(); };
        std::printf("items %d\nload_ms %.1f\nreport_ms %.1f\nrender_ms %.1f\nloaded_peak_kib %ld\npeak_kib "
                    "%ld\nreport_bytes %zu\n",
                    list->Count(), ms(t1 - t0), ms(t2 - t1), ms(tr - t1), loadedKib, PeakKib(),
                    static_cast<size_t>(std::filesystem::file_size(out.Bytes())));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
