// Any byte sequence given to the scenario reader ends in a value read or one of the file's error
// messages: never a crash, a hang or a huge allocation.
#include "ScenarioTestInvoer.h"
#include "core/ScenarioBestand.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    korvalinde::testdata::ScenarioTestInvoer invoer;
    try {
        korvalinde::LeesScenario(data, size, invoer);
    } catch (const korvalinde::ScenarioFout& e) {
        const char* m = e.what();
        if (std::strcmp(m, korvalinde::MeldingLeesFout) != 0 &&
            std::strcmp(m, korvalinde::MeldingOngeldig) != 0 &&
            std::strcmp(m, korvalinde::MeldingBereik) != 0)
            std::abort();
    }
    return 0;
}
