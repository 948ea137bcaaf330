// Lets a source folder build before its first source file lands.
