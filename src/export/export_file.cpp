#include "export/writers.h"

#include <cstdio>

namespace vaziduvu {

const char *const kRefusedDriveMessage =
    "Could not save file ... Target was CDROM or READ-ONLY device ...";

bool WriteExportFile(const std::string &path, std::string_view text, ExportHost &host)
{
    try {
        if (path.empty())
            return false;
        const DriveType drive = host.driveTypeOf(path);
        if (drive != DriveType::Removable && drive != DriveType::Fixed) {
            host.showPlainMessage(kRefusedDriveMessage);
            return false;
        }
        // "x": fail when the file exists, whoever created it meanwhile.
        std::FILE *file = std::fopen(path.c_str(), "wbx");
        if (file == nullptr)
            return false;
        bool written =
            text.empty() || std::fwrite(text.data(), 1, text.size(), file) == text.size();
        written = std::fflush(file) == 0 && written;
        written = std::fclose(file) == 0 && written;
        if (!written)
            std::remove(path.c_str());
        return written;
    } catch (...) {
        return false;
    }
}

}  // namespace vaziduvu
