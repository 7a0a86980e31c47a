#include "domain/Bestand.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace korvalinde {

std::string LeesReden(const std::string& pad) {
    namespace fs = std::filesystem;
    if (pad.empty()) return "geen bestandsnaam";
    const fs::path p(pad);
    std::error_code ec;
    const fs::file_status st = fs::status(p, ec);
    if (ec == std::errc::too_many_symbolic_link_levels) return "een kring van koppelingen";
    if (ec == std::errc::permission_denied) return "geen toegang tot de map";
    switch (st.type()) {
    case fs::file_type::not_found: {
        std::error_code lec;
        if (fs::is_symlink(fs::symlink_status(p, lec)))
            return "een koppeling naar een bestand dat niet bestaat";
        return "bestaat niet";
    }
    case fs::file_type::directory:
        return "het is een map";
    case fs::file_type::regular:
        break;
    case fs::file_type::none:
        return ec ? ec.message() : std::string("onbekende fout");
    default: // FIFO, device, socket
        return "geen gewoon bestand";
    }
    // A regular file that cannot be opened: mostly the permissions.
    errno = 0;
    std::FILE* f = std::fopen(pad.c_str(), "rb");
    if (f) {
        std::fclose(f);
        return {};
    }
    if (errno == EACCES || errno == EPERM) return "geen leesrecht";
    return errno ? std::strerror(errno) : std::string("onbekende fout");
}

} // namespace korvalinde
