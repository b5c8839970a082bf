* arith.s - register and immediate arithmetic, logic and shifts.
* Every result lands in its own register.
*
* expect R1 = 7
* expect R2 = -3
* expect R3 = 4
* expect R4 = 14
* expect R5 = 10
* expect R6 = 0xFFFFFFF6
* expect R7 = 5
* expect R8 = 0xFFFFFFFF
* expect R9 = 0xFFFFFFFA
* expect R10 = 4
* expect R11 = 0x00000070
* expect R12 = 0x0FFFFFFF
* expect R13 = 0xFFFFFFFF
* expect R14 = 0x0000FFFF
* expect R15 = -3
* expect R16 = 6
* expect R17 = 0x000000FD
* expect R18 = 0x00000107
* expect R19 = 0xFFFFFFF2
* expect R20 = 0x12340000
* expect R21 = 0x70000000
* expect R22 = 0x0000000F
* expect R23 = 0xFFFFFFFE
* expect R24 = 0

        addi    r1 r0 7         * r1 = 7
        addi    r2 r0 -3        * r2 = -3
        add     r3 r1 r2        * 7 + -3
        addu    r4 r1 r1        * 7 + 7
        sub     r5 r1 r2        * 7 - -3
        subu    r6 r2 r1        * -3 - 7
        and     r7 r1 r2
        or      r8 r1 r2
        xor     r9 r1 r2
        addi    r10 r0 4        * shift amount
        sll     r11 r1 r10
        srl     r12 r2 r10      * logical: zeros come in
        sra     r13 r2 r10      * arithmetic: the sign comes in
        addui   r14 r0 0xffff   * the immediate is taken unsigned
        subi    r15 r1 10
        subui   r16 r1 1
        andi    r17 r2 0xff
        ori     r18 r1 0x100
        xori    r19 r2 0xf
        lhi     r20 0x1234
        slli    r21 r1 28
        srli    r22 r2 28
        srai    r23 r2 1
        add     r0 r1 r1        * R0 stays 0
        add     r24 r0 r0
        halt
