* compare.s - the set-on-condition instructions, register and immediate forms.
* A true condition gives 1, a false one 0; comparisons are signed.
*
* expect R1 = -5
* expect R2 = 3
* expect R3 = 1
* expect R4 = 0
* expect R5 = 1
* expect R6 = 0
* expect R7 = 1
* expect R8 = 1
* expect R9 = 1
* expect R10 = 1
* expect R11 = 0
* expect R12 = 1
* expect R13 = 1
* expect R14 = 0

        addi    r1 r0 -5
        addi    r2 r0 3
        slt     r3 r1 r2        * -5 < 3
        sgt     r4 r1 r2        * -5 > 3
        sle     r5 r2 r2        * 3 <= 3
        sge     r6 r1 r2        * -5 >= 3
        seq     r7 r2 r2        * 3 == 3
        sne     r8 r1 r2        * -5 != 3
        slti    r9 r1 -4        * -5 < -4
        sgti    r10 r2 2        * 3 > 2
        slei    r11 r2 2        * 3 <= 2
        sgei    r12 r1 -5       * -5 >= -5
        seqi    r13 r2 3        * 3 == 3
        snei    r14 r2 3        * 3 != 3
        halt
