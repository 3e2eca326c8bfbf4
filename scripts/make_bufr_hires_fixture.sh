#!/bin/sh
# Writes tests/data/bufr_temp_hires_BOI_1980051800.bufr: a TEMP report in the high-resolution
# template 309052, encoded by ecCodes' bufr_filter (Debian libeccodes-tools) from six levels
# of the real Boise sounding of 18 May 1980 00 UTC (tests/data/wyoming_BOI_1980051800.html):
# temperatures in K, speeds converted from knots to m/s (0.1 m/s), launched at 23:15 UTC the
# day before (the release time of the archive fixture). The 250 hPa dew point is missing, as
# on the page.
set -e
cd "$(dirname "$0")/.."
rules=$(mktemp)
trap 'rm -f "$rules"' EXIT
cat >"$rules" <<'RULES'
set masterTablesVersionNumber = 28;
set dataCategory = 2;
set internationalDataSubCategory = 4;
set typicalYear = 1980;
set typicalMonth = 5;
set typicalDay = 17;
set typicalHour = 23;
set typicalMinute = 15;
set inputExtendedDelayedDescriptorReplicationFactor = {6};
set inputDelayedDescriptorReplicationFactor = {0};
set unexpandedDescriptors = {309052};
set blockNumber = 72;
set stationNumber = 681;
set year = 1980;
set month = 5;
set day = 17;
set hour = 23;
set minute = 15;
set latitude = 43.56;
set longitude = -116.2;
set heightOfStationGroundAboveMeanSeaLevel = 874;
set extendedVerticalSoundingSignificance = {131072, 65536, 8192, 65536, 65536, 65536};
set pressure = {91700, 85000, 81000, 70000, 50000, 25000};
set nonCoordinateGeopotentialHeight = {874, 1519, 1921, 3117, 5740, 10570};
set airTemperature = {292.55, 285.95, 281.15, 275.35, 256.65, 221.45};
set dewpointTemperature = {280.55, 278.95, 278.05, 265.35, 240.65, 0};
set #6#dewpointTemperature = MISSING;
set windDirection = {300, 325, 346, 360, 15, 330};
set windSpeed = {4.1, 5.1, 3.6, 4.1, 3.1, 3.6};
set pack = 1;
write;
RULES
bufr_filter -o tests/data/bufr_temp_hires_BOI_1980051800.bufr "$rules" \
    /usr/share/eccodes/samples/BUFR4.tmpl
