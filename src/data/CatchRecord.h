#pragma once
// The one catch record: the field names of the catch table, their column order in a new file
// and the form each value is stored in. Every other file names a catch field through these
// constants, never as a literal.
#include <QByteArray>
#include <QList>
#include <array>

namespace catchrec {

inline constexpr char Fangdatum[] = "Fangdatum";
inline constexpr char Fangzeit[] = "Fangzeit";
inline constexpr char Angelbeginn[] = "Angelbeginn";
inline constexpr char Angelende[] = "Angelende";
inline constexpr char Angeldauer[] = "Angeldauer";
inline constexpr char Fischart[] = "Fischart";
inline constexpr char Laenge[] = "Laenge";
inline constexpr char Gewicht[] = "Gewicht";
inline constexpr char Faenger[] = "Faenger";
inline constexpr char Gewaesser[] = "Gewaesser";
inline constexpr char Stelle[] = "Stelle";
inline constexpr char Uferdistanz[] = "Uferdistanz";
inline constexpr char Fangtiefe[] = "Fangtiefe";
inline constexpr char Fangmethode[] = "Fangmethode";
inline constexpr char Koeder[] = "Koeder";
inline constexpr char Wetter[] = "Wetter";
inline constexpr char Bemerkungen[] = "Bemerkungen";
inline constexpr char Sonnenaufgang[] = "Sonnenaufgang";
inline constexpr char Sonnenuntergang[] = "Sonnenuntergang";
inline constexpr char Mondaufgang[] = "Mondaufgang";
inline constexpr char Monduntergang[] = "Monduntergang";
inline constexpr char Mondphase[] = "Mondphase";
inline constexpr char Bild[] = "Bild";
inline constexpr char Karte[] = "Karte";
inline constexpr char Lufttemperatur[] = "Lufttemperatur";
inline constexpr char Wassertemperatur[] = "Wassertemperatur";
inline constexpr char Wasserstand[] = "Wasserstand";
inline constexpr char Wassertruebung[] = "Wassertruebung";
inline constexpr char Windrichtung[] = "Windrichtung";
inline constexpr char Windstaerke[] = "Windstaerke";
inline constexpr char Luftdruck[] = "Luftdruck";
inline constexpr char zurueckgesetzt[] = "zurueckgesetzt";

// How a value is stored: a German date or time, a whole number that may be empty, a flag
// ("-1"/"0"), or free text.
enum class Form { Date, Time, WholeNumber, Flag, Text };

struct Field {
    const char* name;
    Form form;
};

inline constexpr int kFieldCount = 32;

// The fields in the column order of a new catch database.
inline constexpr std::array<Field, kFieldCount> kFields = {{
    {Fangdatum, Form::Date},         {Fangzeit, Form::Time},          {Angelbeginn, Form::Time},
    {Angelende, Form::Time},         {Angeldauer, Form::Time},        {Fischart, Form::Text},
    {Laenge, Form::WholeNumber},     {Gewicht, Form::WholeNumber},    {Faenger, Form::Text},
    {Gewaesser, Form::Text},         {Stelle, Form::Text},            {Uferdistanz, Form::Text},
    {Fangtiefe, Form::Text},         {Fangmethode, Form::Text},       {Koeder, Form::Text},
    {Wetter, Form::Text},            {Bemerkungen, Form::Text},       {Sonnenaufgang, Form::Text},
    {Sonnenuntergang, Form::Text},   {Mondaufgang, Form::Text},       {Monduntergang, Form::Text},
    {Mondphase, Form::Text},         {Bild, Form::Text},              {Karte, Form::Text},
    {Lufttemperatur, Form::WholeNumber}, {Wassertemperatur, Form::WholeNumber}, {Wasserstand, Form::Text},
    {Wassertruebung, Form::Text},    {Windrichtung, Form::Text},      {Windstaerke, Form::Text},
    {Luftdruck, Form::WholeNumber},  {zurueckgesetzt, Form::Flag},
}};

// The names of kFields as a list, in their order.
inline QList<QByteArray> fieldNames()
{
    QList<QByteArray> names;
    names.reserve(kFieldCount);
    for (const Field& f : kFields)
        names.append(QByteArray(f.name));
    return names;
}

// The stored "zurueckgesetzt" flag: any whole number other than 0 means released; empty or
// text means not released. One reader for every window.
bool isReleased(const QByteArray& stored);

} // namespace catchrec

// The fields of a cost record, in the column order of a new cost database.
namespace costrec {
inline constexpr char Kaufdatum[] = "Kaufdatum";
inline constexpr char Geschaeft[] = "Geschaeft";
inline constexpr char Artikel[] = "Artikel";
inline constexpr char Menge[] = "Menge";
inline constexpr char Einzelpreis[] = "Einzelpreis";
inline constexpr char Gesamtpreis[] = "Gesamtpreis";
inline constexpr char GesamtpreisVersand[] = "GesamtpreisVersand";
inline constexpr std::array<const char*, 7> kFields = {Kaufdatum, Geschaeft, Artikel, Menge,
                                                       Einzelpreis, Gesamtpreis, GesamtpreisVersand};
} // namespace costrec
