#pragma once
// Names and defaults of the settings kept in the registry.

namespace gx {

inline constexpr char kSettingsKey[] = "Software\\Halvorn\\Gantrix\\1.4";
inline constexpr char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kRunValue[] = "Gantrix";
// The start-with-Windows data is the program path followed by this; nobody reads it.
inline constexpr char kRunSuffix[] = " m";

// Value names of the settings key.
inline constexpr char kValPath[] = "Path";
inline constexpr char kValProfilesPath[] = "GlobalPathProfiles";
inline constexpr char kValLanguagePath[] = "GlobalPathlanguage";
inline constexpr char kValLanguage[] = "Language";
inline constexpr char kValShortCut[] = "ShortCut";
inline constexpr char kValShortCut2[] = "ShortCut2";
inline constexpr char kValRaveloHotKey[] = "RaveloHotKey";
inline constexpr char kValRaveloEnable[] = "RaveloEnable";
inline constexpr char kValPathToImages[] = "PathToImages";

// What a string read gives for a missing value; a stored "0" counts as missing too.
inline constexpr char kAbsentText[] = "0";
inline constexpr char kDefaultPanelShortcut[] = "Ctrl+`";

inline constexpr char kProfilesSubdir[] = "profiles\\";
inline constexpr char kLanguageSubdir[] = "language\\";
inline constexpr char kCollectionSubdir[] = "collection\\";

}  // namespace gx
