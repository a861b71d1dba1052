// An in-place effect filter of this module: it takes RGB24 video with a
// VIDEOINFOHEADER only and changes each sample under its settings lock.
#pragma once

#include "InPlaceSettingsFilter.h"

template <class Settings, const IID& SettingsIid>
class Rgb24InPlaceFilter : public InPlaceSettingsFilter<Settings, SettingsIid> {
public:
    using InPlaceSettingsFilter<Settings, SettingsIid>::InPlaceSettingsFilter;

    HRESULT CheckInputType(const CMediaType* type) override { return CheckVideoColourType(kVideoColourRgb24, type); }
};
