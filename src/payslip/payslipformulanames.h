#pragma once

#include <QtGlobal>

#include <array>

// The formulas of one pay slip by number and name, in the order they are
// handed to the report engine ("CUM" first: the calculation hands it over
// before the rest of the set; "PRIME" last, the bonus, which the gross counts
// and the slip must show beside the other elements). The delivered layout
// places every one of these names, and any layout used for pay slips must
// define them all.
struct PayslipFormulaName
{
    qint16 number;
    const char *name;
};

namespace PayslipFormulaNames {

inline constexpr std::array<PayslipFormulaName, 183> all = {{
    // Summary, hours and pay elements.
    {888, "CUM"},
    {1201, "TAUX"}, {203, "BRUTB"}, {204, "SALAIREBRUT"}, {205, "RETENUES"},
    {206, "RETENUEP"}, {207, "NET"}, {1207, "EURO"}, {208, "NETIMP"},
    {209, "MUTUELLE"}, {210, "SALAP"}, {211, "INTER"}, {212, "TAUXINTER"},
    {213, "INTAP"}, {330, "ABS"}, {331, "TAUAB"}, {332, "ABRET"},
    {333, "HPAIEB"}, {334, "HPAIET"}, {335, "HPAIER"}, {3000, "ACOMPTE"},
    {2202, "THS"}, {2203, "APC"}, {2204, "BHC"}, {2205, "THC"}, {2207, "APS"},
    {2208, "BHS"}, {2209, "HSS"}, {2210, "THH"}, {2211, "TTHS"},
    {2050, "T78"}, {2051, "CONB"}, {2052, "T48"}, {160, "HABS"},
    {161, "HCOMP"}, {162, "HSUP"}, {163, "HPAIE"}, {164, "HINT"},
    {165, "ACOM"}, {166, "HCSU"},

    // Contribution lines 0 to 19: employee rate, first amount, employer rate,
    // second amount (the first amount is the employer's on lines 0 to 9, the
    // employee's on lines 10 to 19).
    {1001, "441"}, {1002, "R61"}, {1003, "440"}, {1004, "R62"},
    {1005, "451"}, {1006, "R7"}, {1007, "450"}, {1008, "R6"},
    {1009, "461"}, {1010, "R9"}, {1011, "460"}, {1012, "R8"},
    {1013, "471"}, {1014, "R11"}, {1015, "470"}, {1016, "R10"},
    {1017, "481"}, {1018, "R13"}, {1019, "480"}, {1020, "R12"},
    {1021, "491"}, {1022, "R15"}, {1023, "490"}, {1024, "R14"},
    {1025, "501"}, {1026, "R17"}, {1027, "500"}, {1028, "R16"},
    {1029, "511"}, {1030, "R19"}, {1031, "510"}, {1032, "R18"},
    {1033, "521"}, {1034, "R21"}, {1035, "520"}, {1036, "R20"},
    {1037, "531"}, {1038, "R23"}, {1039, "530"}, {1040, "R22"},
    {1041, "541"}, {1042, "R25"}, {1043, "540"}, {1044, "R24"},
    {1045, "551"}, {1046, "R27"}, {1047, "550"}, {1048, "R26"},
    {1049, "561"}, {1050, "R29"}, {1051, "560"}, {1052, "R28"},
    {1053, "631"}, {1054, "R31"}, {1055, "630"}, {1056, "R30"},
    {1057, "641"}, {1058, "R33"}, {1059, "640"}, {1060, "R32"},
    {1061, "651"}, {1062, "R35"}, {1063, "650"}, {1064, "R34"},
    {1065, "661"}, {1066, "R37"}, {1067, "660"}, {1068, "R36"},
    {1069, "671"}, {1070, "R39"}, {1071, "670"}, {1072, "R38"},
    {1073, "681"}, {1074, "R41"}, {1075, "680"}, {1076, "R40"},
    {1077, "691"}, {1078, "R43"}, {1079, "690"}, {1080, "R42"},

    // Mutual insurance paid by the employer, then the line bases.
    {2000, "BASE3"}, {2001, "21"},
    {301, "C1"}, {302, "C2"}, {303, "B1"}, {304, "B2"}, {305, "B3"},
    {306, "B4"}, {307, "B5"}, {308, "B6"}, {309, "B7"}, {310, "B8"},
    {311, "B9"}, {312, "B10"}, {313, "B11"}, {314, "B12"}, {315, "B13"},
    {316, "B14"}, {317, "B15"}, {318, "B16"}, {319, "B17"}, {320, "B18"},
    {321, "BASE"},

    // Line labels of lines 0 to 18, the period, the employee's mutual
    // insurance, the label of line 19, then the identities.
    {101, "1"}, {102, "2"}, {103, "3"}, {104, "4"}, {105, "5"}, {106, "6"},
    {107, "7"}, {108, "8"}, {109, "9"}, {110, "10"}, {111, "11"},
    {112, "12"}, {113, "13"}, {114, "14"}, {115, "15"}, {116, "16"},
    {117, "17"}, {118, "18"}, {119, "19"},
    {201, "DATEDEBUT"}, {202, "DATEFIN"}, {1699, "MAP"}, {120, "20"},
    {0, "NOMSALARIE"}, {1, "NOMEMPLOYEUR"}, {2, "ADREMPLOYEUR"},
    {3, "CPEMPLOYEUR"}, {4, "VILLEEMPLOYEUR"}, {5, "TELEMPLOYEUR"},
    {6, "SIRET"}, {7, "APE"}, {8, "URSSAF"}, {9, "EMPLOI"},
    {10, "DATEANCIEN"}, {11, "MATRICULE"}, {12, "PRENOMSALARIE"},
    {13, "ADRESALARIE"}, {14, "CPSALARIE"}, {15, "VILLESALARIE"},

    // The bonus, handed over after the rest.
    {3001, "PRIME"},
}};

} // namespace PayslipFormulaNames
