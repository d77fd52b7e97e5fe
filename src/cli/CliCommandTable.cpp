// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliCommandTable.h"

#include "cli/CliAddOnOperand.h"
#include "cli/CliCall.h"

namespace movrand::cli {

const std::vector<CliCommand>& CliCommandTable() {
    static const std::vector<CliCommand> table = {
        {"check",
         "PATH",
         1,
         0,
         {},
         false,
         Check,
         nullptr,
         "test PATH as a GPL installation; prints \"valid\" or the message the\n"
         "program would show; exit 0 when valid, 1 when not",
         R"(Test
.I PATH
as a GPL installation: print
.B valid
or the message the desktop program would show.
Exit status 0 when it is one, 1 when not.
Stores nothing.)"},

        {"drivers",
         "",
         0,
         0,
         {},
         true,
         Drivers,
         nullptr,
         "one line per driver 1..19: N, first name, last name, car number,\n"
         "team number, nationality, separated by tabs, as read",
         R"(One line per driver 1 to 19: number, first name, last name, car number,
team number and nationality, separated by tabs, as the roster holds them.)"},

        {"car-number",
         "N NUMBER",
         2,
         0,
         {},
         true,
         CarNumber,
         CheckCarNumber,
         "give driver N the car number NUMBER (swap with its holder), save driver.ini",
         R"(Give driver
.I N
(1 to 19) the car number
.IR NUMBER ;
the driver who held it gets driver
.IR N 's
old number.
Saves
.IR driver.ini .)"},

        {"match",
         "",
         0,
         0,
         {},
         true,
         Match,
         nullptr,
         "the driver-to-car matching pass",
         R"(Give each driver copies of the model and texture files of their car
number, as closing the desktop program does.)"},

        {"team-drivers",
         "FOLDER",
         1,
         0,
         {},
         true,
         TeamDrivers,
         nullptr,
         "the lines of the team driver list for that team folder name",
         R"(The drivers of the team whose folder is
.I FOLDER
.RI ( lotus ),
each with its car number and
.B (matched to car)
when the driver has car files of their own.)"},

        {"entries",
         "ADDONFOLDER",
         1,
         0,
         {},
         true,
         Entries,
         nullptr,
         "one line per entry: N, description, kind (lower-cased), tab-separated\n"
         "(ADDONFOLDER may also be an archive of one: .zip, .7z, .rar, .tar...,\n"
         "unpacked into a temporary folder removed afterwards; so for\n"
         "preview and install)",
         R"(The entries of an add-on folder: number, description and kind (car or
accessory), separated by tabs.
Here and in
.B preview
and
.BR install ,
.I ADDONFOLDER
may also be an archive of one: it is unpacked into a temporary folder in
the program's own folder, removed afterwards. An accessory's record names its
own backup folder in the installation, never that temporary folder.)"},

        {"preview",
         "ADDONFOLDER DESC [--excl-generic]",
         2,
         0,
         {"--excl-generic"},
         true,
         Preview,
         nullptr,
         "\"picture: \" + path or \"picture: none\", \"description: \" + text,\n"
         "then one \"model: \" + name line per listed model file; for an archive the\n"
         "picture is its path in the add-on folder + \" in \" + the archive",
         R"(What Add mode shows for the entry
.IR DESC :
its picture, its description and the team's model files
.RB ( \-\-excl\-generic
leaves out the team's generic ones).)"},

        {"install",
         "ADDONFOLDER DESC",
         2,
         0,
         {},
         true,
         Install,
         nullptr,
         "install that entry as \"Add Files\" does",
         R"(Install the entry
.I DESC
of the add-on folder into its team folder, as
.B Add Files
does, backing up every game file it replaces.)"},

        {"installed",
         "TEAM",
         1,
         0,
         {},
         true,
         Installed,
         nullptr,
         "one line per installed item of TEAM (display name), \"Complete Car\" first",
         R"(What Movrand installed in the team folder of
.I TEAM
(a team's name such as
.BR Ferrari ),
.B Complete Car
first.)"},

        {"remove",
         "TEAM ITEM",
         2,
         0,
         {},
         true,
         Remove,
         nullptr,
         "remove that installed item as \"Remove Files\" does",
         R"(Remove the installed
.I ITEM
of
.IR TEAM ,
as
.B Remove Files
does, putting back the files it replaced.
Asks first.)"},

        {"unpack",
         "ARCHIVE [FOLDER]",
         1,
         1,
         {},
         false,
         Unpack,
         nullptr,
         "unpack an add-on archive into a new folder named after it, beside\n"
         "it or inside FOLDER; prints the add-on folder made (exit 0) or\n"
         "why nothing was unpacked (exit 1)",
         R"(Unpack an add-on archive (\fI.zip\fR, \fI.7z\fR, \fI.rar\fR, \fI.tar\fR, \fI.tar.gz\fR,
\fI.tar.bz2\fR, \fI.tar.xz\fR or a self-extracting \fI.exe\fR) into a new folder named
after it, beside it or inside
.IR FOLDER ,
and print the add-on folder made (exit status 0), or the message that tells why nothing
was unpacked (exit status 1).)"},

        {"swap",
         "SOURCE (--delete | --rename DEST NAME) [--move | --copy]",
         1,
         0,
         {"--delete", "--rename", "--move", "--copy"},
         true,
         Swap,
         CheckSwap,
         "the car folder swap (--copy by default)",
         R"(Make the complete car folder
.I SOURCE
the game's live
.IR cars\ecars67 .
The current live folder is deleted
.RB ( \-\-delete )
or renamed to
.I NAME
and moved into the folder
.I DEST
.RB ( \-\-rename ).
.B \-\-move
moves
.IR SOURCE ,
.B \-\-copy
(the default) copies it.
Asks first.)"},

        {"set-export",
         "FILE [--folder PATH] [--name TEXT]",
         1,
         0,
         {"--folder", "--name"},
         true,
         SetExport,
         nullptr,
         "write the car set of the live car folder (or of the stored car folder\n"
         "PATH) to FILE (.carset added when missing), named TEXT (by default after\n"
         "the folder); prints the set's code",
         R"(Write the car set of the live car folder, or of the stored car folder
.IR PATH ,
to
.I FILE
.RI ( .carset
is added when the name has another ending): one line per file with its path,
size and XXH3-128 fingerprint, and the set's code, a short fingerprint of the
lines (\fB7F3A\-91C2\-04DE\fR) that every driver of a league can compare.
.B \-\-name
gives the set its name (by default the folder's).
Movrand's own install records are no part of a set.
Prints the code.)"},

        {"set-compare",
         "FILE [--folder PATH]",
         1,
         0,
         {"--folder"},
         true,
         SetCompare,
         nullptr,
         "one line per file in which the live car folder (or PATH) differs from\n"
         "the set: missing, different or extra, tab, its Windows path; last line\n"
         "the two codes; exit 0 when identical, 1 when not",
         R"(Compare the live car folder, or the stored car folder
.IR PATH ,
with the car set
.IR FILE :
one line per difference,
.BR missing ,
.B different
or
.BR extra ,
a tab and the file's path in the car folder; the last line gives the set's
code and the folder's.
Exit status 0 when the folder is the set, 1 when it is not.
Fingerprints of unchanged files are kept in the installation's history, so a
second comparison reads only what changed.)"},

        {"set-code",
         "[--folder PATH]",
         0,
         0,
         {"--folder"},
         true,
         SetCode,
         nullptr,
         "the car set code of the live car folder (or of PATH)",
         R"(Print the car set code of the live car folder, or of the stored car folder
.IR PATH .)"},

        {"set-apply",
         "FILE [--from PATH]... [--name NAME] [--no-swap]",
         1,
         0,
         {"--from", "--name", "--no-swap"},
         true,
         SetApply,
         CheckSetApply,
         "build the car set FILE as a stored car folder (named NAME or after the\n"
         "set) from the files found in the live and stored car folders, the\n"
         "history, the backups and each --from folder or add-on archive, and make\n"
         "it live as the swap does (the old one kept as cars67_before_NAME); with\n"
         "--no-swap only build it; files found nowhere are listed (\"not found\",\n"
         "path, size) and nothing changes (exit 1)",
         R"(Build a complete car folder holding exactly the files of the car set
.I FILE
as a stored car folder beside the others (named
.I NAME
or after the set, in letters, digits and \fB_\fR), and make it live as the car
folder swap does; the old live folder is kept as the stored folder
.BI cars67_before_ NAME\fR,
and prints two lines:
.B live
and the live car folder's path, then
.B old car folder
and where the old live folder is kept, each word and its path separated by a tab.
Each file's content is found by its fingerprint in the live and stored car
folders, the history's kept content, the backups of replaced cars and
accessories, and each
.B \-\-from
folder or add-on archive; none of them is changed, and every copy is checked
against its fingerprint.
When files are found nowhere, they are listed
.RB ( "not found" ,
the path and the size), nothing is changed and the exit status is 1.
The whole change is one step of the history, which
.B undo
takes back; while GPL runs, asks first.
.B \-\-no\-swap
only builds the stored folder.)"},

        {"history",
         "[N | repair | abandon]",
         0,
         1,
         {},
         true,
         History,
         CheckStepOrRepair,
         "one line per state of the installation's history, oldest first: number,\n"
         "date and time (ISO 8601, local, with its UTC offset), user, summary and\n"
         "the step's name when it has one, tab-separated; the first line is the\n"
         "state before the oldest step kept (\"0\", three tabs, \"Before Movrand\n"
         "changed this installation\"); with N, one\n"
         "line per file step N changed: what happened, tab, its Windows path;\n"
         "with repair, the history's index rebuilt from its step files; with\n"
         "abandon, a restore or undo that could not be finished closed, the game\n"
         "left as it is (what it changed stays, recorded as a step)",
         R"(One line per step of the installation's history (kept in
.I movrand\ehistory
in the GPL folder), oldest first: its number, date and time (ISO 8601 in the
local time zone, with its offset from UTC; a step recorded by an older Movrand
shows its time as it was written), the user's login name, its summary and, when
the step was given a name with
.BR label ,
that name, separated by tabs.
The steps are listed by number, whatever their times say.
The first line is the state the history can go back to before its oldest step:
.B 0
and three tabs, then
.BR "Before Movrand changed this installation" ,
or, once older steps were forgotten, the number before the oldest step kept and
.BR "Before step \fIN\fB" .
With
.IR N ,
one line per file or folder step
.I N
changed: what happened to it, a tab, and its Windows path.
With
.BR repair ,
the history's index (the list of its steps) is written anew from the step
files when it is missing or damaged; a step file that cannot be read is named
and nothing is changed.
With
.BR abandon ,
a restore or undo that could not be finished (its journal
.I restore.step
stands in the history, and until it is closed the commands that change the
installation refuse) is closed: the game is left as it is, and what the
restore had changed stays, recorded as a step of its own.)"},

        {"undo",
         "",
         0,
         0,
         {},
         true,
         Undo,
         nullptr,
         "take back the newest step that is neither an undo nor taken back\n"
         "already (recorded as a step: \"Undid step N\")",
         R"(Take back the newest step of the history that is neither an undo nor
taken back already: the installation becomes as it was right before it.
The undo is itself a step; its message tells how many files and folders it
changed.
Files changed by hand since are overwritten or deleted only with
.BR \-\-yes ,
and what they held is kept in the history.)"},

        {"restore",
         "N",
         1,
         0,
         {},
         true,
         Restore,
         CheckStepNumber,
         "make every file the steps after N changed as it was right after step N\n"
         "(0: before the first step); recorded as a step",
         R"(Make every file and folder the steps after
.I N
changed as it was right after step
.I N
(step 0: before the first), byte for byte; stored car folders a swap moved go
back too.
The restore is itself a step; its message tells how many files and folders it
changed (steps that cancel out change nothing).
Files changed by hand since are overwritten or deleted only with
.BR \-\-yes .)"},

        {"verify",
         "",
         0,
         0,
         {},
         true,
         Verify,
         nullptr,
         "one line per file changed since Movrand last touched it: changed, added\n"
         "or missing, tab, its Windows path; exit 1 when there is any",
         R"(Compare every file the history knows with what its newest step left there
and print one line per difference:
.BR changed ,
.B added
or
.BR missing ,
a tab, and the Windows path.
Exit status 1 when there is any, 0 when there is none.)"},

        {"forget",
         "N",
         1,
         0,
         {},
         true,
         Forget,
         CheckStepNumber,
         "forget the steps before N, freeing the content only they kept (asks\n"
         "first, naming the steps that hold the only copy of a car folder and\n"
         "the steps given a name)",
         R"(Forget the steps of the history before step
.IR N :
what only they kept is deleted, and the installation can no longer be
restored to a point before step
.IR N\-1 .
Asks first, saying how many steps are forgotten and which of them hold the
only copy of a car folder a swap deleted or replaced, and which of them were
given a name with
.BR label ;
without
.B \-\-yes
nothing is forgotten.)"},

        {"history-size",
         "[MB]",
         0,
         1,
         {},
         true,
         HistorySize,
         CheckStepNumber,
         "the history's size and the limit it keeps within, in bytes (\"size\", tab,\n"
         "bytes; \"limit\", tab, bytes); with MB, the limit becomes MB megabytes,\n"
         "the oldest steps forgotten while it is larger (asks first, as forget does)",
         R"(Print the size the installation's history takes and the limit it keeps
within, in bytes, as two lines
.RB ( size
and
.BR limit ,
a tab, the bytes).
With
.IR MB ,
the limit becomes
.I MB
megabytes; while the history is larger, its oldest steps are forgotten, and
the program says so.
When the new limit would forget steps, it asks first, as
.B forget
does; without
.B \-\-yes
nothing is forgotten and the limit stays as it was.
The limit starts at a quarter of the free space when the history is made, at
most 5 GB.)"},

        {"label",
         "N [TEXT]",
         1,
         1,
         {},
         true,
         Label,
         CheckLabel,
         "give step N the name TEXT (shown by history and on the History page);\n"
         "an empty or missing TEXT takes its name away",
         R"(Give step
.I N
of the history the name
.I TEXT
(one line, at most 200 bytes), shown in the last column of
.B history
and on the History page of the desktop program; an empty or missing
.I TEXT
takes the step's name away.
A name stays when other steps are forgotten. A named step is never forgotten
to keep the history within its limit without a question that names it;
without
.B \-\-yes
it is kept, and
.BR forget
names the named steps it would forget.)"},

        {"switch",
         "PATH",
         1,
         0,
         {},
         false,
         Switch,
         nullptr,
         "make PATH the installation in use (stores it with its prefix, like the\n"
         "GPL Directory page); a native path inside a prefix is taken as that\n"
         "prefix's own drive path (/home/me/Games/gpl/drive_c/sierra/gpl is\n"
         "C:\\sierra\\gpl of the prefix /home/me/Games/gpl)",
         R"(Make the GPL installation in
.I PATH
the one in use and store it with its Wine prefix, as the GPL Directory page
does.
.I PATH
is a Windows path of the call's prefix, or a native path: one inside a prefix
.RI ( /home/me/Games/gpl/drive_c/sierra/gpl )
is that prefix's own
.IR C:\esierra\egpl .)"},

        {"installations",
         "[--verbose]",
         0,
         0,
         {"--verbose"},
         false,
         Installations,
         nullptr,
         "one line per GPL installation found: the prefix's folder, the Windows\n"
         "path of its driver.ini and \"in use\" or nothing, separated by tabs;\n"
         "--verbose: on stderr, each installation's launcher and the launcher\n"
         "files the search skipped",
         R"(One line per GPL installation found in the Wine prefixes of the home folder
(see
.BR movrand (1)):
the prefix's folder, a tab, the Windows path of its
.IR driver.ini ,
a tab, and
.B in use
or nothing.
With
.BR \-\-verbose ,
standard error has a line per installation naming the launcher that starts
it, and a line for each launcher file the search skipped (larger than such a
file is, nested deeper than 64 levels, or beyond what one search reads).
With nothing stored and several installations found, the commands that work
on an installation list them and exit 1: name one with
.B \-\-gpl
(and
.BR \-\-prefix )
or store one with
.BR switch .)"},

        {"play",
         "",
         0,
         0,
         {},
         true,
         Play,
         nullptr,
         "start GPL of the installation in use through the launcher that keeps it\n"
         "(Lutris, Steam, Bottles, Heroic, q4wine; wine in its prefix otherwise),\n"
         "without waiting for it; exit 1 when the launcher's program is not installed",
         R"(Start GPL of the installation in use the way the launcher that keeps its
Wine prefix starts it:
.B lutris lutris:rungameid/\fIID\fR,
.B steam steam://rungameid/\fIID\fR,
.B bottles\-cli run \-b \fINAME\fB \-e \fIPATH\fR
or
.B heroic heroic://launch/\fIAPP\fR
(through
.B flatpak run
for a launcher installed as a Flatpak), or
.B q4wine\-cli \-p \fIPREFIX\fB \-b \fIPATH\fR
for a q4wine prefix, otherwise
.B wine gpl.exe
with
.B WINEPREFIX
set, in the GPL folder.
The game is not waited for.
Exit status 1, after a message naming the program, when the launcher's program
is not installed.)"},
    };
    return table;
}

const CliCommand* FindCliCommand(const std::string& name) {
    for (const CliCommand& command : CliCommandTable())
        if (name == command.Name) return &command;
    return nullptr;
}

}  // namespace movrand::cli
