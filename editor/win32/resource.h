// Identifiers shared by the editor's resource script and its windows.
#pragma once

#define IDM_NUEVO 101
#define IDM_ABRIR 102
#define IDM_GUARDAR 103
#define IDM_SALIR 104
#define IDM_MANUAL 111
#define IDM_ACERCA 112

#define IDD_NEWW 200
#define IDC_TITULO 201
#define IDC_ANCHO_TEXTO 202
#define IDC_ANCHO 203
#define IDC_ALTO_TEXTO 204
#define IDC_ALTO 205

// The palette buttons: four grounds, the hero, three enemies.
#define IDC_TERR0 301
#define IDC_PERS 305
#define IDC_ENEM0 306
