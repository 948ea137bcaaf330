#pragma once

// The program's 28 windows, one instance each, created by the program block in a fixed order and kept for
// the whole run. Windows reach each other only through these pointers.
class TForm1;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TForm6;
class TForm7;
class TForm8;
class TForm9;
class TForm10;
class TForm11;
class TForm12;
class TForm13;
class TForm14;
class TForm15;
class TForm16;
class TForm17;
class TForm18;
class TForm20;
class TForm21;
class TForm22;
class TForm23;
class TForm24;
class TForm25;
class TForm26;
class TForm27;
class TForm28;
class TForm29;

inline TForm1* Form1 = nullptr;
inline TForm2* Form2 = nullptr;
inline TForm3* Form3 = nullptr;
inline TForm4* Form4 = nullptr;
inline TForm5* Form5 = nullptr;
inline TForm6* Form6 = nullptr;
inline TForm7* Form7 = nullptr;
inline TForm8* Form8 = nullptr;
inline TForm9* Form9 = nullptr;
inline TForm10* Form10 = nullptr;
inline TForm11* Form11 = nullptr;
inline TForm12* Form12 = nullptr;
inline TForm13* Form13 = nullptr;
inline TForm14* Form14 = nullptr;
inline TForm15* Form15 = nullptr;
inline TForm16* Form16 = nullptr;
inline TForm17* Form17 = nullptr;
inline TForm18* Form18 = nullptr;
inline TForm20* Form20 = nullptr;
inline TForm21* Form21 = nullptr;
inline TForm22* Form22 = nullptr;
inline TForm23* Form23 = nullptr;
inline TForm24* Form24 = nullptr;
inline TForm25* Form25 = nullptr;
inline TForm26* Form26 = nullptr;
inline TForm27* Form27 = nullptr;
inline TForm28* Form28 = nullptr;
inline TForm29* Form29 = nullptr;

// True once the program block has created every window. The main window's first show runs while the later
// windows do not exist yet, and timers can tick inside its blocking fetches; anything that reaches another
// window waits for this.
bool windowsCreated();
void setWindowsCreated(bool created);
