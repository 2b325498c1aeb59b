/* The one list of the library's exports: name and ordinal.
   Everything that names the exports (declarations, shims, the Windows .def file, the
   host's name table, the export tests) is generated from these two lists. */
#ifndef NUMORA_EXPORTS_H
#define NUMORA_EXPORTS_H

/* Operations: no arguments, no result; they work on the exchange register. */
#define NUMORA_OPERATION_EXPORTS(X) \
  X(Oct_To_Bin, 1)                  \
  X(Oct_To_Hex, 2)                  \
  X(Oct_To_Dec, 3)                  \
  X(Bin_To_Oct, 4)                  \
  X(Bin_To_Hex, 5)                  \
  X(Bin_To_Dec, 6)                  \
  X(Hex_To_Oct, 7)                  \
  X(Hex_To_Bin, 8)                  \
  X(Hex_To_Dec, 9)                  \
  X(Dec_To_Oct, 10)                 \
  X(Dec_To_Bin, 11)                 \
  X(Dec_To_Hex, 12)                 \
  X(Get_ShR, 13)                    \
  X(Get_ShL, 14)                    \
  X(Get_Not, 15)                    \
  X(Get_Xor, 16)                    \
  X(Get_Or, 17)                     \
  X(Get_And, 18)                    \
  X(Get_Trunc, 19)                  \
  X(Get_SimpleRoundTo, 20)          \
  X(Get_RoundTo, 21)                \
  X(Get_Round, 22)                  \
  X(Get_Pi, 23)                     \
  X(Get_Frac, 24)                   \
  X(Get_Floor, 25)                  \
  X(Grad_To_Rad, 26)                \
  X(Grad_To_Deg, 27)                \
  X(Rad_To_Grad, 28)                \
  X(Rad_To_Deg, 29)                 \
  X(Deg_To_Grad, 30)                \
  X(Deg_To_Rad, 31)                 \
  X(Set_Angle_Measurement, 32)      \
  X(Get_Hypot, 33)                  \
  X(Get_Ldexp, 34)                  \
  X(Get_IntPower, 35)               \
  X(Get_Power, 36)                  \
  X(Get_Exp, 37)                    \
  X(Get_LogN, 38)                   \
  X(Get_Log2, 39)                   \
  X(Get_Log10, 40)                  \
  X(Get_LnXP1, 41)                  \
  X(Get_Ln, 42)                     \
  X(Get_ACscH, 43)                  \
  X(Get_CscH, 44)                   \
  X(Get_ACsc, 45)                   \
  X(Get_Csc, 46)                    \
  X(Get_ASecH, 47)                  \
  X(Get_SecH, 48)                   \
  X(Get_ASec, 49)                   \
  X(Get_Sec, 50)                    \
  X(Get_Cotan, 51)                  \
  X(Get_ACotH, 52)                  \
  X(Get_CotH, 53)                   \
  X(Get_ACot, 54)                   \
  X(Get_Cot, 55)                    \
  X(Get_ATanH, 56)                  \
  X(Get_TanH, 57)                   \
  X(Get_ATan, 58)                   \
  X(Get_Tan, 59)                    \
  X(Get_ACosH, 60)                  \
  X(Get_CosH, 61)                   \
  X(Get_ACos, 62)                   \
  X(Get_Cos, 63)                    \
  X(Get_ASinH, 64)                  \
  X(Get_SinH, 65)                   \
  X(Get_ASin, 66)                   \
  X(Get_Sin, 67)                    \
  X(Get_Sqrt, 68)

/* Boundary entry points: the host's plug-in interface; their signatures are in numora.h. */
#define NUMORA_BOUNDARY_EXPORTS(X) \
  X(Draw, 69)                      \
  X(SetParentWindow, 70)           \
  X(GetType, 71)                   \
  X(GetInfo, 72)                   \
  X(GetShortInfo, 73)              \
  X(Copyright, 74)                 \
  X(SetPath, 75)                   \
  X(GetData, 76)                   \
  X(SetData, 77)                   \
  X(GetFile, 78)                   \
  X(SetFile, 79)

#endif
