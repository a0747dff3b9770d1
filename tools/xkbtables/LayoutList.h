#pragma once

// The layouts the program offers: the name shown, the name the layout descriptions give it, and its
// variant. Order is the order of the list the user chooses from; US comes first.
struct LayoutSource {
    const char* name;
    const char* layout;
    const char* variant;
};

inline constexpr LayoutSource LayoutSources[] = {
    {"US", "us", ""},
    {"US International", "us", "intl"},
    {"UK", "gb", ""},
    {"German", "de", ""},
    {"Swiss German", "ch", ""},
    {"Austrian", "at", ""},
    {"French", "fr", ""},
    {"Belgian", "be", ""},
    {"Spanish", "es", ""},
    {"Latin American", "latam", ""},
    {"Italian", "it", ""},
    {"Portuguese", "pt", ""},
    {"Brazilian", "br", ""},
    {"Dutch", "nl", ""},
    {"Swedish", "se", ""},
    {"Finnish", "fi", ""},
    {"Danish", "dk", ""},
    {"Norwegian", "no", ""},
    {"Polish", "pl", ""},
    {"Czech", "cz", ""},
    {"Hungarian", "hu", ""},
    {"Turkish Q", "tr", ""},
    {"Canadian French", "ca", "fr"},
    {"Dvorak", "us", "dvorak"},
};
