#include "PropFrameProgram.h"

#include "FilterCatalogue.h"
#include "PropFrameCommandLine.h"
#include "PropertyFrame.h"
#include "SettingsFile.h"
#include "guid.h"
#include "objbase.h"

#include <QApplication>
#include <QPixmap>
#include <QTimer>

#include <cstdio>

namespace {

constexpr int kFailed = 1;
constexpr int kBadUsage = 2;

int Fail(const std::string& problem)
{
    std::fprintf(stderr, "ovpropframe: %s\n", problem.c_str());
    return kFailed;
}

int ListFilters()
{
    std::vector<FilterChoice> filters;
    const HRESULT hr = ListRegisteredFilters(filters);
    if (FAILED(hr)) return Fail("the registered filters cannot be read");
    for (const FilterChoice& filter : filters) std::printf("%s  %s\n", GuidToString(filter.clsid).c_str(), filter.name.c_str());
    return 0;
}

// Everything that can fail before a window is needed, so a wrong argument
// is reported without a display.
struct PreparedFilter {
    FilterChoice choice;
    ComPtr<IUnknown> filter;
    std::vector<ComPtr<IPropertyPage>> pages;
};

std::optional<PreparedFilter> PrepareFilter(const PropFrameCommandLine& line, std::string& problem)
{
    std::vector<FilterChoice> filters;
    if (FAILED(ListRegisteredFilters(filters))) {
        problem = "the registered filters cannot be read";
        return std::nullopt;
    }
    PreparedFilter prepared;
    if (!FindFilter(filters, line.filter, prepared.choice, problem)) return std::nullopt;
    prepared.filter = CreateFilter(prepared.choice.clsid, problem);
    if (!prepared.filter) return std::nullopt;
    if (!line.loadFile.empty() && !LoadSettingsFile(prepared.filter.Get(), line.loadFile, problem)) return std::nullopt;
    prepared.pages = CreatePropertyPages(prepared.filter.Get(), problem);
    if (prepared.pages.empty()) return std::nullopt;
    return prepared;
}

int ShowFrame(int argc, char** argv, const PropFrameCommandLine& line, PreparedFilter& prepared)
{
    QApplication application(argc, argv);
    PropertyFrame frame(prepared.filter.Get(), std::move(prepared.pages), QString::fromStdString(prepared.choice.name));
    std::string problem;
    if (!frame.Open(problem)) return Fail(problem);

    int exitCode = 0;
    const auto save = [&] {
        std::string saveProblem;
        if (line.saveFile.empty() || SaveSettingsFile(prepared.filter.Get(), line.saveFile, saveProblem)) return;
        Fail(saveProblem);
        exitCode = kFailed;
    };
    QObject::connect(&frame, &PropertyFrame::Applied, save);
    QObject::connect(&frame, &PropertyFrame::Finished, [&](bool accepted) {
        if (accepted) save();
    });
    frame.show();
    if (!line.grabFile.empty()) {
        QTimer::singleShot(0, &frame, [&] {
            if (!frame.grab().save(QString::fromStdString(line.grabFile))) {
                Fail("cannot write the picture " + line.grabFile);
                exitCode = kFailed;
            }
            frame.Cancel();
        });
    }
    QObject::connect(&frame, &PropertyFrame::Finished, &application, &QApplication::quit, Qt::QueuedConnection);
    application.exec();
    return exitCode;
}

} // namespace

int RunPropFrame(int argc, char** argv)
{
    std::string problem;
    const auto line = ParsePropFrameCommandLine(std::vector<std::string>(argv + 1, argv + argc), problem);
    if (!line) {
        std::fprintf(stderr, "ovpropframe: %s\n%s", problem.c_str(), PropFrameUsage());
        return kBadUsage;
    }
    if (line->help) {
        std::fputs(PropFrameUsage(), stdout);
        return 0;
    }
    CoInitialize(nullptr);
    int exitCode = 0;
    if (line->list) {
        exitCode = ListFilters();
    } else if (auto prepared = PrepareFilter(*line, problem)) {
        exitCode = ShowFrame(argc, argv, *line, *prepared);
    } else {
        exitCode = Fail(problem);
    }
    CoUninitialize();
    return exitCode;
}
