// An input set for the scenario-file tests: values by control name, filled with the defaults of a
// new scenario, recording the order in which the file put values in. Plain C++.
#pragma once

#include "core/ScenarioBestand.h"

#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace korvalinde::testdata {

class ScenarioTestInvoer : public ScenarioInvoer {
  public:
    std::map<std::string, long double, std::less<>> getallen{
        {"SpenKoe", 50},         {"SpeMelknivo", 8000},    {"SpePercPar1", 25},     {"SpePercPar2", 20},
        {"SpePercPar3", 55},     {"SpePercRas1", 26},      {"SpePercRas2", 74},     {"SpeTkt", 365},
        {"SpeGewicht", 650},     {"SpeUrenWeidegang", 20}, {"SpePerceelOpp", 2.3L}, {"SpeGrasaanbod", 1300},
        {"SpeBiomassa05", 1000}, {"SpeHergroei", 28},      {"SpeVorigDagen", 0},    {"SpeVorigRest", 0},
        {"SpenMestflat", 13},    {"SpenUrlozing", 13},     {"SpeOppMestflat", 1},   {"SpeOppUrplek", 0.68L}};
    std::map<std::string, int, std::less<>> indexen{
        {"CbxOntwatering", 0}, {"CbxGrondsoort", 0}, {"CbxSysteem", 0},      {"CbxZode", 1},
        {"CbxEngelsraai", 1},  {"CbxJaargift", 2},   {"CbxVorigGebruik", 0}, {"CbxBloten", 0}};
    std::map<std::string, std::string, std::less<>> teksten{{"Cbxdatum", "1509"}};
    std::map<std::tuple<std::string, int, int>, std::string> cellen;
    int altIndex[2] = {4, 4};
    long double altWaarde[2] = {0, 0};
    std::vector<std::string> gezet; // names in the order the file set them

    long double Getal(std::string_view naam) const override { return getallen.find(naam)->second; }
    void ZetGetal(std::string_view naam, long double w) override {
        getallen.find(naam)->second = w;
        gezet.emplace_back(naam);
    }
    int Index(std::string_view naam) const override { return indexen.find(naam)->second; }
    void ZetIndex(std::string_view naam, int i) override {
        indexen.find(naam)->second = i;
        gezet.emplace_back(naam);
    }
    std::string Tekst(std::string_view naam) const override { return teksten.find(naam)->second; }
    void ZetTekst(std::string_view naam, const std::string& t) override {
        teksten.find(naam)->second = t;
        gezet.emplace_back(naam);
    }
    std::string Cel(std::string_view tabel, int k, int r) const override {
        const auto it = cellen.find({std::string(tabel), k, r});
        return it == cellen.end() ? std::string() : it->second;
    }
    void ZetCel(std::string_view tabel, int k, int r, const std::string& t) override {
        cellen[{std::string(tabel), k, r}] = t;
    }
    int AlternatiefIndex(int nr) const override { return altIndex[nr - 1]; }
    long double AlternatiefWaarde(int nr) const override { return altWaarde[nr - 1]; }
    void ZetAlternatiefIndex(int nr, int i) override {
        altIndex[nr - 1] = i;
        gezet.push_back(nr == 1 ? "CbxAlt1" : "CbxAlt2");
    }
    void ZetAlternatiefWaarde(int nr, float w) override {
        altWaarde[nr - 1] = w;
        gezet.push_back(nr == 1 ? "SpeAlt1" : "SpeAlt2");
    }
};

} // namespace korvalinde::testdata
