#include "shell/ui/print_job.hpp"

#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QBuffer>

#if MC_HAVE_CUPS
#include <cups/cups.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#endif

namespace mc::ui {

#if MC_HAVE_CUPS
namespace {

struct DestDeleter {
    void operator()(cups_dest_t* dest) const { cupsFreeDests(1, dest); }
};
using Dest = std::unique_ptr<cups_dest_t, DestDeleter>;

// The default destination as the scheduler has it now (lpoptions, PRINTER and
// LPDEST included), with its state among the options.
Dest defaultDest() { return Dest(cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr)); }

const char* option(const cups_dest_t& dest, const char* name) {
    return cupsGetOption(name, dest.num_options, dest.options);
}

std::optional<std::string> problemOf(const cups_dest_t& dest) {
    const std::string name = dest.name;
    const char* accepting = option(dest, "printer-is-accepting-jobs");
    if (accepting && std::strcmp(accepting, "true") != 0) return "The printer " + name + " does not accept jobs.";
    const char* state = option(dest, "printer-state");
    if (state && std::atoi(state) == IPP_PSTATE_STOPPED) return "The printer " + name + " is stopped.";
    return std::nullopt;
}

// The state of a job by its id, as the scheduler reports it; 0 when unknown.
int jobState(int job) {
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    const std::string uri = "ipp://localhost/jobs/" + std::to_string(job);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri.c_str());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    int state = 0;
    if (ipp_attribute_t* attribute = ippFindAttribute(response, "job-state", IPP_TAG_ENUM))
        state = ippGetInteger(attribute, 0);
    ippDelete(response);
    return state;
}

}  // namespace

QString defaultPrinterName() {
    const Dest dest = defaultDest();
    return dest ? QString::fromLocal8Bit(dest->name) : QString();
}

std::optional<std::string> defaultPrinterProblem() {
    const Dest dest = defaultDest();
    if (!dest) return std::string("There is no default printer.");
    return problemOf(*dest);
}

std::optional<std::string> printOnePage(const PagePainter& paint, const QPageSize& pageSize, int dpi,
                                        const QString& title) {
    // The page goes to the scheduler from memory: no temporary file that a
    // full disk could leave cut.
    QByteArray pdf;
    {
        QBuffer out(&pdf);
        out.open(QIODevice::WriteOnly);
        QPdfWriter writer(&out);
        writer.setPageSize(pageSize);
        writer.setPageMargins(QMarginsF());
        writer.setResolution(dpi);
        writer.setTitle(title);
        QPainter painter;
        if (!painter.begin(&writer)) return std::string("the page could not be prepared for printing");
        paint(painter);
        painter.end();
    }

    const Dest dest = defaultDest();
    if (!dest) return std::string("there is no default printer");
    const QByteArray jobTitle = title.toLocal8Bit();
    const int job = cupsCreateJob(CUPS_HTTP_DEFAULT, dest->name, jobTitle.constData(), 0, nullptr);
    if (job == 0) return "the printer refused it: " + std::string(cupsLastErrorString());
    const std::string name = "job " + std::to_string(job);
    const bool sent =
        cupsStartDocument(CUPS_HTTP_DEFAULT, dest->name, job, jobTitle.constData(), CUPS_FORMAT_PDF, 1) ==
            HTTP_STATUS_CONTINUE &&
        cupsWriteRequestData(CUPS_HTTP_DEFAULT, pdf.constData(), static_cast<std::size_t>(pdf.size())) ==
            HTTP_STATUS_CONTINUE;
    if (cupsFinishDocument(CUPS_HTTP_DEFAULT, dest->name) != IPP_STATUS_OK || !sent) {
        cupsCancelJob2(CUPS_HTTP_DEFAULT, dest->name, job, 0);
        return name + " could not be sent whole: " + std::string(cupsLastErrorString());
    }
    switch (jobState(job)) {
    case IPP_JSTATE_STOPPED: return name + " was stopped";
    case IPP_JSTATE_CANCELED: return name + " was cancelled";
    case IPP_JSTATE_ABORTED: return name + " was aborted";
    case IPP_JSTATE_HELD: return name + " is held";
    default: break;
    }
    // A job taken by a stopped printer waits and is not printed.
    const Dest now = defaultDest();
    if (!now) return name + " was taken, but the default printer is gone";
    if (const auto problem = problemOf(*now)) return name + " was queued, but " + *problem;
    return std::nullopt;
}

#else

QString defaultPrinterName() { return QPrinterInfo::defaultPrinter().printerName(); }

std::optional<std::string> defaultPrinterProblem() {
    if (QPrinterInfo::defaultPrinter().isNull()) return std::string("There is no default printer.");
    return std::nullopt;
}

std::optional<std::string> printOnePage(const PagePainter& paint, const QPageSize& pageSize, int dpi,
                                        const QString& title) {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) return std::string("there is no default printer");
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(title);
    printer.setFullPage(true);  // positions count from the edge of the sheet
    printer.setPageSize(pageSize);
    printer.setResolution(dpi);
    QPainter painter;
    if (!painter.begin(&printer)) return std::string("the printer could not start the job");
    paint(painter);
    if (!painter.end()) return std::string("the printer could not finish the job");
    return std::nullopt;
}

#endif

}  // namespace mc::ui
