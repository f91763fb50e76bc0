// The line readers of the catalogue converter (skyvane-data), each line of the input read
// by each: the NGC 2000.0 and Messier lines, MPCORB.DAT and CometEls.txt lines with the
// packed designations and the name splitting, the deep-sky name keys and the star texts.
// An orbit the converter reads gives a catalogue line the program reads back.

#include "FuzzSupport.h"

#include "MinorBodySources.h"
#include "NgcSource.h"
#include "StarSources.h"

#include "astro/MinorBodyLine.h"

#include <stdexcept>

namespace {

void readLine(std::string_view line) {
    using namespace datatool;
    try {
        (void)ngc::parseNgcLine(line);
    } catch (const std::invalid_argument&) {
        // a malformed line, which the converter names and skips
    }
    try {
        (void)ngc::parseMessierLine(line);
    } catch (const std::invalid_argument&) {
    }
    (void)ngc::normaliseDesignation(line);
    if (const auto listed = ngc::parseListedDesignation(line)) {
        (void)listed->designation();
        (void)listed->text();
    }
    FUZZ_CHECK(ngc::encodeCommonName(line, 30).size() <= 30);

    if (const auto asteroid = minor::parseMpcorbLine(line))
        if (const auto written = minor::asteroidLine(*asteroid))
            FUZZ_CHECK(astro::parseAsteroidLine(*written).has_value());
    if (const auto comet = minor::parseCometElsLine(line))
        if (const auto written = minor::cometLine(*comet))
            FUZZ_CHECK(astro::parseCometLine(*written).has_value());
    (void)minor::splitSbdbAsteroidName(line);
    (void)minor::sbdbCometName(line);
    (void)minor::splitMpcReadableName(line);
    (void)minor::unpackEpoch(line);
    (void)minor::unpackNumber(line);
    (void)minor::unpackProvisional(line);
    (void)minor::unpackCometProvisional(line);
    (void)minor::readNumber(line);

    (void)stars::variabilityTypeCode(line);
    FUZZ_CHECK(stars::spectralTypeCode(line).size() <= 3);
    (void)stars::bayerCodeFromAbbreviation(line);
    (void)stars::bayerCodeFromGreek(line);
    stars::Designation designation;
    stars::addDesignation(line, "Cyg", designation);
    FUZZ_CHECK(stars::toWindows1252(line, 20).size() <= 20);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ForEachLine(fuzz::AsText(data, size), readLine);
    return 0;
}
