// Identifiers shared by the editor's resource script and its windows.
#pragma once

#define IDD_NEWW 200
#define IDC_TITULO 201
#define IDC_ANCHO_TEXTO 202
#define IDC_ANCHO 203
#define IDC_ALTO_TEXTO 204
#define IDC_ALTO 205

// The palette buttons, in the order of the layout table's.
#define IDC_TERR0 301
