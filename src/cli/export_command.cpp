#include "cli/export_command.h"

#include "adif/adif_file.h"
#include "cli/dump_command.h"
#include "document/log_document.h"
#include "export/save_flow.h"

#include <clocale>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <memory>

#include <sys/statfs.h>
#include <sys/statvfs.h>

namespace vaziduvu {

namespace {

namespace fs = std::filesystem;

const char *const kTooBigReport =
    "\r\nFile not loaded ... \r\n >>> File too big or too many fields\r\n\r\n";

// Magic numbers of the file systems that are no place for an export.
constexpr unsigned long kIso9660Magic = 0x9660;
constexpr unsigned long kUdfMagic = 0x15013346;
constexpr unsigned long kNfsMagic = 0x6969;
constexpr unsigned long kSmbMagic = 0x517B;
constexpr unsigned long kCifsMagic = 0xFF534D42;
constexpr unsigned long kSmb2Magic = 0xFE534D42;
constexpr unsigned long kFuseMagic = 0x65735546;

std::tm localNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

// The /proc/self/mounts entry of the mount that holds the folder: its type.
std::string mountTypeOf(const fs::path &folder)
{
    std::error_code error;
    const std::string target = fs::canonical(folder, error).string();
    std::ifstream mounts("/proc/self/mounts");
    std::string device, mountPoint, type, rest;
    std::string bestType;
    size_t bestLength = 0;
    while (mounts >> device >> mountPoint >> type && std::getline(mounts, rest)) {
        // Blanks in mount points are written as \040.
        for (size_t at = mountPoint.find("\\040"); at != std::string::npos;
             at = mountPoint.find("\\040", at + 1))
            mountPoint.replace(at, 4, " ");
        const bool holds = target == mountPoint
                           || (target.compare(0, mountPoint.size(), mountPoint) == 0
                               && (mountPoint == "/" || target[mountPoint.size()] == '/'));
        if (holds && mountPoint.size() >= bestLength) {
            bestLength = mountPoint.size();
            bestType = type;
        }
    }
    return bestType;
}

class ConsoleExportHost : public ExportHost {
public:
    ConsoleExportHost(std::ostream &err) : err_(err) {}

    void showMessage(const std::string &header, const std::string &text) override
    {
        err_ << header << ' ' << text << '\n';
    }
    void showPlainMessage(const std::string &text) override { err_ << text << '\n'; }
    void selectCell(int column, int row) override
    {
        err_ << "Selected cell: row " << row << ", column " << column << '\n';
    }
    void showProgress(const std::string &, bool) override {}
    bool omitEmptyFieldTags() const override { return false; }
    std::string exportDate() override
    {
        std::setlocale(LC_TIME, "");
        const std::tm local = localNow();
        char text[64];
        const size_t length = std::strftime(text, sizeof text, "%x", &local);
        return std::string(text, length);
    }
    int latestYear() override { return localNow().tm_year + 1900 + 1; }
    DriveType driveTypeOf(const std::string &path) override { return driveTypeOfPath(path); }

private:
    std::ostream &err_;
};

bool pathExists(const std::string &path)
{
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

}  // namespace

DriveType driveTypeOfPath(const std::string &path)
{
    std::error_code error;
    fs::path folder = fs::absolute(path, error).parent_path();
    while (!fs::is_directory(folder, error) && folder.has_relative_path())
        folder = folder.parent_path();

    struct statfs info {};
    if (statfs(folder.c_str(), &info) != 0)
        return DriveType::Unknown;
    switch (static_cast<unsigned long>(info.f_type)) {
    case kIso9660Magic:
    case kUdfMagic: return DriveType::CdRom;
    case kNfsMagic:
    case kSmbMagic:
    case kCifsMagic:
    case kSmb2Magic: return DriveType::Remote;
    case kFuseMagic:
        if (mountTypeOf(folder) == "fuse.sshfs")
            return DriveType::Remote;
        break;
    default: break;
    }
    struct statvfs flags {};
    if (statvfs(folder.c_str(), &flags) == 0 && (flags.f_flag & ST_RDONLY) != 0)
        return DriveType::ReadOnly;
    return DriveType::Fixed;
}

int runExportCommand(const std::vector<std::string> &args, std::ostream &out, std::ostream &err)
{
    if (args.size() != 2 || args[1].empty()) {
        err << "usage: vaziduvu-cli export FILE TARGET\n";
        return CliUsageError;
    }
    const std::string &source = args[0];
    const std::string &target = args[1];
    std::error_code error;
    if (!fs::is_regular_file(source, error) || !std::ifstream(source, std::ios::binary)) {
        err << "vaziduvu-cli: cannot read '" << source << "'\n";
        return CliUsageError;
    }

    auto file = std::make_unique<AdifFile>();
    if (!file->load(source)) {
        err << "vaziduvu-cli: reading '" << source << "' failed (out of memory)\n";
        return CliUsageError;
    }
    auto document = std::make_unique<LogDocument>();
    switch (document->fillFrom(*file)) {
    case LogDocument::FillResult::FormatError: {
        const std::string report =
            outcomeReportText(file->outcomeCode(), file->outcome().errorPosition);
        err << report;
        if (report.empty() || report.back() != '\n')
            err << '\n';
        return CliFormatError;
    }
    case LogDocument::FillResult::TooBig: err << kTooBigReport; return CliFormatError;
    case LogDocument::FillResult::Filled: break;
    }

    if (pathExists(target)) {
        err << "Problem: " << kExistingFileNameMessage << '\n';
        return CliFormatError;
    }
    const auto [header, notice] = SaveNotice(document->HasLengthDiscrepancy());
    out << header << ' ' << notice << '\n';

    ConsoleExportHost host(err);
    uint8_t exportStatus = ExportOk;
    if (!RunExportWriters(*document, target, exportStatus, host)) {
        err << "Problem: " << kFileNotSavedMessage << '\n';
        return CliFormatError;
    }
    if (ExportTypeTest(target, ".XML") == ExportTypeAtEnd
        || ExportTypeTest(target, ".HTM") == ExportTypeAtEnd)
        out << "Saved: " << CompanionName(target) << '\n';
    out << "Saved: " << target << '\n';
    return CliOk;
}

}  // namespace vaziduvu
