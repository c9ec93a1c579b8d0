#pragma once

// The component names of the main window's menus, popups, their entries and the tool buttons: the
// object names that command groups connect to and tests look up. Each value is spelt as its name.

namespace quorvel::entry {

// The tool bar and its buttons.
inline constexpr char ToolBar1[] = "ToolBar1";
inline constexpr char NewListButton[] = "NewListButton";
inline constexpr char OpenListButton[] = "OpenListButton";
inline constexpr char SaveButton[] = "SaveButton";
inline constexpr char SaveAsButton[] = "SaveAsButton";
inline constexpr char AddButton[] = "AddButton";
inline constexpr char AddFromListButton[] = "AddFromListButton";
inline constexpr char RemoveButton[] = "RemoveButton";

// File menu ("Reopen" is the hidden entry that keeps "&Recent" a submenu).
inline constexpr char FileMenu[] = "FileMenu";
inline constexpr char NewListMainMenu[] = "NewListMainMenu";
inline constexpr char OpenMainMenu[] = "OpenMainMenu";
inline constexpr char SaveListMainMenu[] = "SaveListMainMenu";
inline constexpr char SaveAsListMainMenu[] = "SaveAsListMainMenu";
inline constexpr char CloseListMainMenu[] = "CloseListMainMenu";
inline constexpr char CloseAllListsMainMenu[] = "CloseAllListsMainMenu";
inline constexpr char ExportListMainMenu[] = "ExportListMainMenu";
inline constexpr char RecentListsMainMenu[] = "RecentListsMainMenu";
inline constexpr char Reopen[] = "Reopen";
inline constexpr char ListPropertiesMainMenu[] = "ListPropertiesMainMenu";
inline constexpr char ExitMainMenu[] = "ExitMainMenu";

// Edit menu.
inline constexpr char EditMenu[] = "EditMenu";
inline constexpr char CopyMainMenu[] = "CopyMainMenu";
inline constexpr char PasteMainMenu[] = "PasteMainMenu";

// View menu.
inline constexpr char ViewMenu[] = "ViewMenu";
inline constexpr char CustomizeMainMenu[] = "CustomizeMainMenu";
inline constexpr char CollectionExplorerMainMenu[] = "CollectionExplorerMainMenu";
inline constexpr char GridLinesMainMenu[] = "GridLinesMainMenu";

// The list's own menu, titled by its list type.
inline constexpr char ListFunctionsMenu[] = "ListFunctionsMenu";
inline constexpr char AddFromListMainMenu[] = "AddFromListMainMenu";
inline constexpr char NewItemMainMenu[] = "NewItemMainMenu";
inline constexpr char RemoveItemMainMenu[] = "RemoveItemMainMenu";
inline constexpr char SelectAllMainMenu[] = "SelectAllMainMenu";
inline constexpr char UnSelectAllMainMenu[] = "UnSelectAllMainMenu";
inline constexpr char MoreInfoMainMenu[] = "MoreInfoMainMenu";
inline constexpr char ItemPropertiesMainMenu[] = "ItemPropertiesMainMenu";

// Tools menu.
inline constexpr char ToolsMenu[] = "ToolsMenu";
inline constexpr char CompressListMainMenu[] = "CompressListMainMenu";
inline constexpr char ExpandListMainMenu[] = "ExpandListMainMenu";
inline constexpr char InventoryListMainMenu[] = "InventoryListMainMenu";
inline constexpr char CompareCartridgeListsMainMenu[] = "CompareCartridgeListsMainMenu";
inline constexpr char VerifyManufacturersMainMenu[] = "VerifyManufacturersMainMenu";
inline constexpr char OptionsMainMenu[] = "OptionsMainMenu";

// Reports menu.
inline constexpr char ReportsMenu[] = "ReportsMenu";
inline constexpr char CustomReportMainMenu[] = "CustomReportMainMenu";
inline constexpr char InventoryReportMainMenu[] = "InventoryReportMainMenu";
inline constexpr char BinReportMainMenu[] = "BinReportMainMenu";
inline constexpr char TradeReportMainMenu[] = "TradeReportMainMenu";
inline constexpr char byPlatformReportMainMenu[] = "byPlatformReportMainMenu";

// Charts menu.
inline constexpr char ChartsMenu[] = "ChartsMenu";
inline constexpr char byManufacturerMainMenu[] = "byManufacturerMainMenu";
inline constexpr char byRarityMainMenu[] = "byRarityMainMenu";
inline constexpr char byConditionMainMenu[] = "byConditionMainMenu";
inline constexpr char CostVsValueMainMenu[] = "CostVsValueMainMenu";
inline constexpr char byPlatformMainMenu[] = "byPlatformMainMenu";

// Web menu.
inline constexpr char WebMenu[] = "WebMenu";
inline constexpr char Pelmora1[] = "Pelmora1";
inline constexpr char Cartwell1[] = "Cartwell1";
inline constexpr char GamersLedgerCollectorsGuide1[] = "GamersLedgerCollectorsGuide1";
inline constexpr char Snipercade1[] = "Snipercade1";
inline constexpr char StarLadderHighScoreDatabase1[] = "StarLadderHighScoreDatabase1";

// Help menu.
inline constexpr char HelpMenu[] = "HelpMenu";
inline constexpr char Help1[] = "Help1";
inline constexpr char RevisionsMainMenu[] = "RevisionsMainMenu";
inline constexpr char LicenseAgreementMainMenu[] = "LicenseAgreementMainMenu";
inline constexpr char CheckForUpdatesMainMenu[] = "CheckForUpdatesMainMenu";
inline constexpr char ReportaBug1[] = "ReportaBug1";
inline constexpr char RequestaFeature1[] = "RequestaFeature1";
inline constexpr char AskaQuestion1[] = "AskaQuestion1";
inline constexpr char QuorvelHomePage1[] = "QuorvelHomePage1";
inline constexpr char About1[] = "About1";

// The grid's popup with its submenus "Change", "Tools" and "View".
inline constexpr char ListViewPopup[] = "ListViewPopup";
inline constexpr char AddItemFromListPopupMenu[] = "AddItemFromListPopupMenu";
inline constexpr char NewItemPopupMenu[] = "NewItemPopupMenu";
inline constexpr char RemoveItemsPopupMenu[] = "RemoveItemsPopupMenu";
inline constexpr char IncreaseQuantityPopupMenu[] = "IncreaseQuantityPopupMenu";
inline constexpr char DecreaseQuantityPopupMenu[] = "DecreaseQuantityPopupMenu";
inline constexpr char ChangeParent[] = "ChangeParent";
inline constexpr char OpenListPopupMenu[] = "OpenListPopupMenu";
inline constexpr char CloseListPopupMenu[] = "CloseListPopupMenu";
inline constexpr char ExportListPopupMenu[] = "ExportListPopupMenu";
inline constexpr char ToolsPopupMenu[] = "ToolsPopupMenu";
inline constexpr char CompressListPopupMenu[] = "CompressListPopupMenu";
inline constexpr char ExpandListPopupMenu[] = "ExpandListPopupMenu";
inline constexpr char InventoryListPopupMenu[] = "InventoryListPopupMenu";
inline constexpr char CompareCartridgeListsPopupMenu[] = "CompareCartridgeListsPopupMenu";
inline constexpr char VerifyManufacturersPopupMenu[] = "VerifyManufacturersPopupMenu";
inline constexpr char ViewPopupMenu[] = "ViewPopupMenu";
inline constexpr char CustomizePopupMenu[] = "CustomizePopupMenu";
inline constexpr char CollectionExplorerPopupMenu[] = "CollectionExplorerPopupMenu";
inline constexpr char GridLinesPopupMenu[] = "GridLinesPopupMenu";
inline constexpr char SelectAllPopupMenu[] = "SelectAllPopupMenu";
inline constexpr char UnSelectAllPopupMenu[] = "UnSelectAllPopupMenu";
inline constexpr char MoreInfoPopupMenu[] = "MoreInfoPopupMenu";
inline constexpr char ItemPropertiesPopupMenu[] = "ItemPropertiesPopupMenu";

// The tabs' popup with its submenu "List".
inline constexpr char TabPopUp[] = "TabPopUp";
inline constexpr char OpenListTabPopupMenu[] = "OpenListTabPopupMenu";
inline constexpr char ListParentTabPopupMenu[] = "ListParentTabPopupMenu";
inline constexpr char CloseListTabPopupMenu[] = "CloseListTabPopupMenu";
inline constexpr char SaveListTabPopupMenu[] = "SaveListTabPopupMenu";
inline constexpr char ListPropertiesTabPopupMenu[] = "ListPropertiesTabPopupMenu";

// The Collection Explorer's popup.
inline constexpr char ExplorerPopupMenu[] = "ExplorerPopupMenu";
inline constexpr char OpenExplorerFile[] = "OpenExplorerFile";
inline constexpr char NewGroupExplorerPopupMenu[] = "NewGroupExplorerPopupMenu";
inline constexpr char RemoveFromGroupExplorerPopupMenu[] = "RemoveFromGroupExplorerPopupMenu";
inline constexpr char DeleteExplorerFile[] = "DeleteExplorerFile";
inline constexpr char RefreshExplorerPopupMenu[] = "RefreshExplorerPopupMenu";
inline constexpr char HideExplorerExplorerPopupMenu[] = "HideExplorerExplorerPopupMenu";

}  // namespace quorvel::entry
