#pragma once

// The pages of the help window: one for each screen that offers help. The year
// chooser and the movement card share their text but stay separate pages, so
// each opener names its own screen.
enum class HelpPage {
    StartMenu,
    Members,
    YearChooser,
    MovementCard,
    PrimaNota,
    MemberExport,
    MovementExport,
    Statement,
    Backup,
    MemberRegister,
    YearView,
    BankImport,
};
