#ifndef DIALOGLOGIN_H
#define DIALOGLOGIN_H
#endif
