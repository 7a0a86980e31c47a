// Writes a few valid scenario files into the folder given as argument: the defaults, an old
// version with its two extra numbers, long texts and unusual values.
#include "ScenarioTestInvoer.h"
#include "core/ScenarioBestand.h"

#include <fstream>
#include <string>

using korvalinde::testdata::ScenarioTestInvoer;

static void Schrijf(const std::string& pad, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(pad, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const std::string map = argv[1];
    ScenarioTestInvoer standaard;
    Schrijf(map + "/standaard.kvl", korvalinde::SchrijfScenario(standaard));

    ScenarioTestInvoer gevuld;
    gevuld.teksten["Cbxdatum"] = std::string(300, '1');
    gevuld.getallen["SpeMelknivo"] = 40000;
    gevuld.indexen["CbxZode"] = -1;
    gevuld.cellen[{"GrdVoeders", 1, 2}] = "12345678901234567890";
    gevuld.altIndex[0] = 6;
    gevuld.altWaarde[1] = 1e30L;
    Schrijf(map + "/gevuld.kvl", korvalinde::SchrijfScenario(gevuld));

    auto oud = korvalinde::SchrijfScenario(standaard);
    const auto versie = korvalinde::NaarExtended(200800);
    std::copy(versie.begin(), versie.end(), oud.begin() + 1);
    const std::uint8_t extra[] = {0x02, 0x07, 0x02, 0x09};
    oud.insert(oud.end() - 26, std::begin(extra), std::end(extra));
    Schrijf(map + "/oud.kvl", oud);
    return 0;
}
