// The survey's rows as layers for a GIS: GeoJSON (RFC 7946), KML 2.2 and
// the World Stress Map's CSV. Positions are WGS 84 longitude and latitude
// with at most 7 decimals; every azimuth is from true north, and the
// GeoJSON and KML files say so.
//
// GeoJSON: a FeatureCollection (no "crs" member) with one Point feature per
// row carrying the table's columns as properties (numbers as JSON numbers,
// an empty value as null; a row without a position has a null geometry),
// and one LineString feature per row with a position and a defined SHmax:
// the SHmax bar (survey/geodesy.h) with the same properties and "bar_km".
// KML: a Placemark per row with a position, its Point and bar (coloured as
// its phase), the table's values in its description.
// WSM CSV: ID,SITE,LAT,LON,AZI,TYPE,DEPTH,QUALITY,REGIME,LOCALITY,DATE,
// NUMBER,METHOD,S1AZ,S1PL,S2AZ,S2PL,S3AZ,S3PL, one row per row with a
// position: AZI the SHmax rounded to a whole degree in 0-179 (999 where
// undefined), TYPE GFI (geological fault-slip inversion), DEPTH 0, QUALITY
// the accuracy class, REGIME the World Stress Map regime (U where not
// inverted), NUMBER the faults inverted, the axes in whole degrees.
#pragma once

#include <string>

#include "survey/survey_run.h"

namespace orniva::survey {

inline constexpr double kDefaultBarKm = 2;

std::string SurveyGeoJson(const SurveyResult& result, double barKm = kDefaultBarKm);
std::string SurveyKml(const SurveyResult& result, double barKm = kDefaultBarKm);
std::string SurveyWsmCsv(const SurveyResult& result);

// `text` with &, <, > and " as XML and HTML write them.
std::string XmlEscaped(const std::string& text);

}  // namespace orniva::survey
