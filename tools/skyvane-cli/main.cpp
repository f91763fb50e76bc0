#include "Args.h"
#include "Commands.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage =
    R"(skyvane-cli: Skyvane's command-line twin.

Usage:
  skyvane-cli time    --ut YYYY-MM-DDTHH:MM:SS [--lon DEG] [--tz HOURS] [--dst 0|1]
      Julian day, the chart's and the rise/set sidereal time, local clock time.
  skyvane-cli where   --ra HOURS --dec DEG --ut TIME --lat DEG --lon DEG
                      [--temp C] [--pressure MB]
      Where a J2000 direction stands for a place and instant: altitude and azimuth
      (with and without refraction), ecliptic coordinates, above the horizon or not.
  skyvane-cli project --ra HOURS --dec DEG [--size WxH] [--fov DEG] [--target RAh,DECdeg]
                      [--rotation equatorial|ecliptic|azimuthal] [--ut TIME] [--lat DEG]
                      [--lon DEG]
  skyvane-cli project --pixel X,Y [same chart options]
      The chart's projection: the window pixel of a direction, or the direction under a
      pixel. Defaults are those of a new chart (field 41.0 degrees, target 4h 30m +20,
      equatorial rotation, London, now).
  skyvane-cli ephem   --body NAME | --asteroid "LINE" | --comet "LINE"
                      --ut YYYY-MM-DDTHH:MM:SS --lat DEG --lon DEG [--height M] [--tz HOURS]
                      [--dst 0|1] [--temp C] [--pressure MB] [--count N --step DAYS]
      One call of the ephemeris library per instant: apparent topocentric RA (hours) and
      Dec (degrees) of the equator J2000, distance (au; the Moon in Earth radii), apparent
      diameter (arc seconds), magnitude, illuminated fraction, and the local clock hours of
      rise, transit and set of the civil day (-1: no such event that day). NAME is one of
      Sun Mercury Venus Moon Mars Jupiter Saturn Uranus Neptune Pluto; LINE is one line of
      an asteroid or comet catalogue.
  skyvane-cli star    NAME | HD n | SAO n | HIP n | TYC a-b-c  [--data DIR]
      What the star catalogue holds for one star: names and designations, J2000 RA
      (hours) and Dec (degrees), magnitudes, spectral type and class, multiplicity and
      variability, and the constellation when the boundary data is there. DIR defaults to
      the source tree's data folder. A Hipparcos number is found through the cross
      identifications under DIR/sources.
  skyvane-cli dso     "NGC 224" | "M 31" | "IC 434" | NAME  [--data DIR]
      A deep-sky object: designation, type and source texts, position, size, magnitude,
      names and the expanded description.
  skyvane-cli info    NAME | "M 31" | "HD n" | "TYC a-b-c" | BODY | --asteroid "LINE" | --comet "LINE"
                      [--ut TIME] [--place N | --lat DEG --lon DEG] [--tz HOURS] [--dst 0|1]
                      [--height M] [--data DIR] [--json | --short]
      Everything the properties window tells about an object for a place and instant: the
      full properties text (as the window shows it), the short window's lines (--short), or
      the fields as JSON (--json): position, azimuth and altitude, ecliptic place,
      constellation, magnitude, rise, transit and set, elongations of a body. The place is a
      fixed place of the list (N, default 211: London, in its zone) or a free position (in
      zone --tz, default 0). The instant defaults to now.
  skyvane-cli find    TEXT  [--data DIR] [--ut TIME] [--lat DEG --lon DEG]
      Every object the search dialogs would find by that name, one JSON line each (kind,
      name, J2000 RA in hours and Dec in degrees, magnitude when known, constellation): a
      constellation (name, abbreviation or genitive), the Sun, the Moon or a planet, a
      deep-sky object ("M 31", "NGC 7000", "IC 434", a common name), a star (proper name,
      "alpha UMi" or "α1 Cen", "61 Cyg", "HD n", "SAO n", "HIP n", "TYC a-b-c"), an
      asteroid or comet of the catalogues under DIR/asteroids and DIR/comets. Bodies are
      computed for the instant (default now) and place (default London). Exits with 1 when
      nothing is found.
  skyvane-cli table   --body NAME | --asteroid "LINE" | --comet "LINE"
                      [--start LOCAL-TIME] [--step 1d|6h|90s] [--count N] [--columns LIST|all]
                      [--place N | --lat DEG --lon DEG] [--tz HOURS] [--dst 0|1] [--height M]
                      [--out FILE] [--csv | --json] [--pdf FILE [--landscape]] [--data DIR]
      An ephemeris table: N rows (1 to 1000, default 50) of a body from a start in local
      clock time (default today at the current hour) at a step of days, hours or seconds.
      LIST names columns from local,ut,jd,ra,dec,az,alt,lon,lat,mag,rise,transit,set,phase,
      dist,diam,elong,const (default local,ra,dec,az,alt,mag,rise,transit,set). Writes the
      table as the program's text file (or CSV, or JSON lines) to FILE or standard output,
      and with --pdf the printed pages (A4, 45 rows a page). NAME is the Sun, the Moon, a
      planet, or an asteroid or comet of the catalogues under DIR.
  skyvane-cli place   N  [--data DIR]
      Entry N of the places list (permanent places, then added ones) and its texts.
  skyvane-cli render  --out FILE.png|FILE.pdf [--size WxH] [--ut TIME] [--lat DEG] [--lon DEG]
                      [--view standard|true|red|bw] [--fov DEG] [--target RAh,DECdeg]
                      [--rotation equatorial|ecliptic|azimuthal] [--mag auto|LIMIT]
                      [--only-visible] [--grids eq,ec,az|none] [--boundaries] [--data DIR]
                      [--dso messier|all] [--dso-labels name|ngc|messier]
                      [--asteroids FILE [--select-asteroids NAME,...|all]]
                      [--comets FILE [--select-comets NAME,...|all]]
                      [--trail BODY,YYYY-MM-DDTHH:MM:SS,STEP_DAYS,COUNT] [--settings FILE.skv]
                      [--page a4|letter [--landscape] [--bw] [--comment TEXT]]
      The chart drawn into an image or a one-page PDF: background, grids, constellations,
      stars, the Sun, Moon and planets, and labels, as a new chart shows them unless the
      options say otherwise; deep-sky objects, asteroids and comets of a catalogue file
      (names or numbers to plot), and a trail of a body (start in local time = UT here).
      --settings draws the chart a document (.skv) holds; only --size, --view and --out
      still apply to it.
      --page prints the chart as "Print..." does, on an A4 or Letter page of a PDF file:
      the window's view (--size) fitted to the chart area, framed, with the legend, the
      observing place, target and zenith texts, the comment and the compass rose; in
      colour unless --bw.
      Prints the chart's target, field, limiting magnitude and draw-list size.
  skyvane-cli check-data [--data DIR]
      Verifies a data folder against its MANIFEST: one line per file, "ok", "missing",
      "damaged" (a size other than the manifest's, or not a whole number of records) or
      "changed" (the SHA-256 differs), then the fixed-record files the manifest does not
      list (a converted Tycho-2), checked by size and record count. Exits with 1 unless
      every file is ok.
  skyvane-cli --help | --version

Times are UT. Longitudes are east positive. Results are printed as JSON, one object per
line. A bad argument prints one line on standard error and exits with code 2. A command
that loads catalogue files names every damaged one (cut short, or of another size than the
folder's MANIFEST lists) on standard error and exits with code 3, unless --allow-damaged is
given: then it goes on with what the files hold.
)";

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> words(argv + 1, argv + argc);
    if (words.empty() || words[0] == "--help" || words[0] == "-h" || words[0] == "help") {
        std::fputs(kUsage, stdout);
        return words.empty() ? 2 : 0;
    }
    if (words[0] == "--version") {
        std::puts("skyvane-cli " SKYVANE_VERSION);
        return 0;
    }
    const std::string command = words[0];
    std::vector<std::string> rest(words.begin() + 1, words.end());
    const auto allow = std::find(rest.begin(), rest.end(), "--allow-damaged");
    cli::setAllowDamaged(allow != rest.end());
    if (allow != rest.end())
        rest.erase(allow);
    try {
        if (command == "time")
            return cli::runTime(rest);
        if (command == "where")
            return cli::runWhere(rest);
        if (command == "project")
            return cli::runProject(rest);
        if (command == "ephem")
            return cli::runEphem(rest);
        if (command == "star")
            return cli::runStar(rest);
        if (command == "dso")
            return cli::runDso(rest);
        if (command == "table")
            return cli::runTable(rest);
        if (command == "info")
            return cli::runInfo(rest);
        if (command == "find")
            return cli::runFind(rest);
        if (command == "place")
            return cli::runPlace(rest);
        if (command == "render")
            return cli::runRender(rest);
        if (command == "check-data")
            return cli::runCheckData(rest);
        throw cli::UsageError("unknown command '" + command + "' (see skyvane-cli --help)");
    } catch (const cli::UsageError& e) {
        std::fprintf(stderr, "skyvane-cli: %s\n", e.what());
        return 2;
    } catch (const cli::DamagedData& e) {
        std::fprintf(stderr, "skyvane-cli: %s\n", e.what());
        return 3;
    }
}
