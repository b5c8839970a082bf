* calls.s - subroutine calls with jal and jalr, returns with jr, and the
* special registers of movi2s and movs2i. jal and jalr link in R31.
*
* expect R1 = 30
* expect R2 = 10
* expect R4 = 30
* expect R5 = 11
* expect R6 = 20
* expect R31 = 5

        addi    r1 r0 5
        jal     double          * r1 = 10, R31 = 2
        addi    r2 r1 0
        addi    r5 r0 triple    * the address of triple
        jalr    r5              * r1 = 30, R31 = 5
        movi2s  s3 r1           * S3 = 30
        movs2i  r4 s3
        nop
        halt

double: add     r1 r1 r1
        jr      r31

triple: add     r6 r1 r1
        add     r1 r6 r1
        jr      r31
