#include "protocol/bry1/Bry1Commands.h"

QByteArray Bry1StartData()
{
    return "D1\r";
}
QByteArray Bry1Page2()
{
    return "D2\r";
}
QByteArray Bry1Page3()
{
    return "D3\r";
}
QByteArray Bry1Page4()
{
    return "D4\r";
}
QByteArray Bry1StopData()
{
    return "D0\r";
}
QByteArray Bry1Identify()
{
    return "T\r";
}
QByteArray Bry1Versions()
{
    return "U\r";
}
QByteArray Bry1Return()
{
    return "\r";
}
QByteArray Bry1Zero()
{
    return "Z\r";
}
QByteArray Bry1Reset()
{
    return "R\r";
}
QByteArray Bry1Load()
{
    return "L\r";
}

char Bry1PageDigit(int pageNext)
{
    switch (pageNext) {
    case 0:
        return '2';
    case 1:
        return '3';
    default:
        return '4';
    }
}

QByteArray Bry1PageRequest(int pageNext)
{
    switch (pageNext) {
    case 0:
        return Bry1Page2();
    case 1:
        return Bry1Page3();
    default:
        return Bry1Page4();
    }
}
