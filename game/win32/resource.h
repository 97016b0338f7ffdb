// Identifiers shared by the game's resource script and its window.
#pragma once

#define IDM_NUEVO 101
#define IDM_GUARDAR 102
#define IDM_JUGADOR 103
#define IDM_MAPA 104
#define IDM_SALIR 105
#define IDM_CONTROLES 111
#define IDM_ACERCA 112
