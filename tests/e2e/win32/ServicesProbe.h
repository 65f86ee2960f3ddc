#pragma once
// The weather service of the end-to-end probe: the real service with its
// Windows worker set-up, over an HTTP fake that answers for the first city
// from a j1 file and fails for the second. Prints one "name=value" line per
// reading; returns 0 when both fetches ended.

int RunWeatherCitiesProbe(const wchar_t* j1File, const wchar_t* firstCity, const wchar_t* secondCity);
