#pragma once
// Command numbers: every menu entry, toolbar button, context-menu entry and list
// shortcut ends as one of these, handled by the main window.

namespace vesko {

enum Command : int {
    kCmdNone = 0,
    kCmdAbout = 16,
    // File, help and shell.
    kCmdMenuOpen = 32771,
    kCmdMenuSave = 32772,
    kCmdMenuExit = 32773,
    kCmdOpenFolder = 32774,
    kCmdToolbarSave = 32775,
    kCmdToolbarExit = 32777,
    kCmdSaveTo = 32808,
    kCmdHistory = 32815,
    // The editor's own safety nets.
    kCmdUndo = 32900,
    kCmdRedo = 32901,
    kCmdRestoreBackup = 32902,
    kCmdCheckDatabase = 32903,
    // Sorting and the order of a reference database.
    kCmdTvSort = 32904,
    kCmdRadioSort = 32905,
    kCmdSortServices = 32906,  // Edit > Sort...: the sort of the TV or Radio page in view
    kCmdApplyReferenceOrder = 32907,
    // TV services.
    kCmdTvEdit = 32780,
    kCmdTvDelete = 32781,
    kCmdTvAddToFav = 32796,
    kCmdTvMoveUp = 32799,
    kCmdTvMoveDown = 32800,
    kCmdTvSkip = 32809,
    kCmdTvLock = 32810,
    kCmdTvSearch = 32820,
    // Radio services.
    kCmdRadioEdit = 32783,
    kCmdRadioDelete = 32784,
    kCmdRadioAddToFav = 32785,
    kCmdRadioMoveUp = 32802,
    kCmdRadioMoveDown = 32803,
    kCmdRadioLock = 32811,
    kCmdRadioSkip = 32812,
    kCmdRadioSearch = 32821,
    // Favourites.
    kCmdFavTvRename = 32786,
    kCmdFavTvRemove = 32787,
    kCmdFavRadioRename = 32788,
    kCmdFavRadioRemove = 32790,
    kCmdFavTvGroupUp = 32804,
    kCmdFavTvGroupDown = 32805,
    kCmdFavRadioGroupUp = 32806,
    kCmdFavRadioGroupDown = 32807,
    kCmdFavRadioRenameGrey = 32813,
    kCmdFavGroupsDragged = 32814,
    kCmdFavTvServiceUp = 32816,
    kCmdFavTvServiceDown = 32817,
    kCmdFavRadioServiceUp = 32818,
    kCmdFavRadioServiceDown = 32819,
    kCmdFavTvSearch = 32822,
    kCmdFavRadioSearch = 32823,
    // Satellites and transponders.
    kCmdSatEditGrey = 32791,
    kCmdSatEdit = 32792,
    kCmdSatSearch = 32826,
    kCmdSatTpEdit = 32793,
    kCmdSatTpDelete = 32794,
    kCmdSatTpAdd = 32795,
    kCmdSatTpSearch = 32824,
    kCmdTerTpEdit = 32827,
    kCmdTerTpDelete = 32828,
    kCmdTerTpAdd = 32829,
    kCmdTerTpSearch = 32830,
    kCmdCableTpEdit = 32831,
    kCmdCableTpDelete = 32832,
    kCmdCableTpAdd = 32833,
    kCmdCableTpSearch = 32834,
};

}  // namespace vesko
